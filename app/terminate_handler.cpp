// The default handler for an uncaught exception prints the exception's demangled type to
// stderr, which a GUI program does not have, and brings the whole C++ demangler (about
// 45 KB) into the exe. This program throws nothing on purpose; should the runtime ever
// give up (no memory), it ends at once.
#include <cstdlib>

namespace __gnu_cxx {

void __verbose_terminate_handler() {
    std::abort();
}

}  // namespace __gnu_cxx
