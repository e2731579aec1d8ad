// The C++ runtime functions the program replaces, all in one place. The program's code is
// built without exceptions, RTTI and guarded statics; what is left of the runtime reaches
// the exception machinery through a few functions of its own, and each of them would bring
// the unwinder, the exception classes and a second copy of the string code into the exe.
// Here they end the program instead: each is reached only when memory runs out or a
// container's size limit is broken, and the program has no way to go on from either.

#include <windows.h>

#include <cmath>
#include <cstdlib>
#include <new>

namespace {

// Exit code 3, as the runtime's own abort gives, without a console message: a GUI program
// has no console to print it to.
[[noreturn]] void EndProgram() {
    ExitProcess(3);
}

void* Allocate(std::size_t size) {
    return std::malloc(size != 0 ? size : 1);
}

}  // namespace

// operator new ends the program when no memory is left, rather than throwing bad_alloc. The
// nothrow forms answer nullptr, for the callers that can do without the memory.
void* operator new(std::size_t size) {
    if (void* memory = Allocate(size)) {
        return memory;
    }
    EndProgram();
}
void* operator new[](std::size_t size) {
    return operator new(size);
}
void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
    return Allocate(size);
}
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
    return Allocate(size);
}
void operator delete(void* memory) noexcept {
    std::free(memory);
}
void operator delete[](void* memory) noexcept {
    std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept {
    std::free(memory);
}
void operator delete[](void* memory, std::size_t) noexcept {
    std::free(memory);
}

// Where the standard containers and strings would throw.
namespace std {

void __throw_bad_alloc() {
    EndProgram();
}
void __throw_bad_array_new_length() {
    EndProgram();
}
void __throw_length_error(const char*) {
    EndProgram();
}
void __throw_logic_error(const char*) {
    EndProgram();
}
void __throw_out_of_range(const char*) {
    EndProgram();
}
void __throw_out_of_range_fmt(const char*, ...) {
    EndProgram();
}
void __throw_bad_function_call() {
    EndProgram();
}

}  // namespace std

// The runtime's handler for an uncaught exception prints its demangled type on the console
// and brings the whole demangler (about 45 KB). Nothing here throws; should the runtime
// still give up, the program ends at once.
namespace __gnu_cxx {

void __verbose_terminate_handler() {
    EndProgram();
}

}  // namespace __gnu_cxx

// The runtime's report of a failed maths function prints the error on the console (and brings
// printf's formatting of floating-point numbers); the program does no floating-point maths, and a
// GUI program has no console. The answer 0 keeps the function's own result.
extern "C" int _matherr(_exception*) {
    return 0;
}
