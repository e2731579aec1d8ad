#pragma once

// Solid background brushes shared by the controls: controls with the same background
// colour use one brush, counted, and deleted when its last user lets it go.
//
// Controls may be made and destroyed on any thread that has windows, so the brush list is
// guarded by a critical section, the one lock of the user interface. The process's store
// itself is made on first use without a guard (the program is built without guarded
// statics): its first user is the thread that builds the main window, before any other.

#include <windows.h>

#include <vector>

#include "support/handles_win32.h"

namespace trinumero {

class BackgroundBrushStore {
  public:
    BackgroundBrushStore() = default;
    ~BackgroundBrushStore();
    BackgroundBrushStore(const BackgroundBrushStore&) = delete;
    BackgroundBrushStore& operator=(const BackgroundBrushStore&) = delete;

    // The shared brush of the colour, created on first use; one more user is counted.
    // nullptr when no brush can be created.
    HBRUSH Acquire(COLORREF colour);

    // One user of the colour's brush fewer; the last one deletes it.
    void Release(COLORREF colour);

    // How many controls use the colour's brush (0 when there is none).
    int Users(COLORREF colour);

  private:
    struct SharedBrush {
        COLORREF colour;
        HBRUSH brush;
        int users;
    };

    // The colour's brush, or the end; the caller holds the lock.
    std::vector<SharedBrush>::iterator Find(COLORREF colour);

    CriticalSection lock_;
    std::vector<SharedBrush> brushes_;
};

// The store all controls of the process share.
BackgroundBrushStore& SharedBackgroundBrushes();

}  // namespace trinumero
