#include "ui/tables/background_brushes.h"

#include <algorithm>

namespace trinumero {

BackgroundBrushStore::~BackgroundBrushStore() {
    for (const SharedBrush& shared : brushes_) {
        DeleteObject(shared.brush);
    }
}

std::vector<BackgroundBrushStore::SharedBrush>::iterator BackgroundBrushStore::Find(
    COLORREF colour) {
    return std::find_if(brushes_.begin(), brushes_.end(),
                        [colour](const SharedBrush& shared) { return shared.colour == colour; });
}

HBRUSH BackgroundBrushStore::Acquire(COLORREF colour) {
    SectionLock hold(lock_);
    if (const auto found = Find(colour); found != brushes_.end()) {
        ++found->users;
        return found->brush;
    }
    HBRUSH brush = CreateSolidBrush(colour);
    if (brush == nullptr) {
        return nullptr;
    }
    brushes_.push_back(SharedBrush{colour, brush, 1});
    return brush;
}

void BackgroundBrushStore::Release(COLORREF colour) {
    SectionLock hold(lock_);
    const auto found = Find(colour);
    if (found != brushes_.end() && --found->users == 0) {
        DeleteObject(found->brush);
        brushes_.erase(found);
    }
}

int BackgroundBrushStore::Users(COLORREF colour) {
    SectionLock hold(lock_);
    const auto found = Find(colour);
    return found == brushes_.end() ? 0 : found->users;
}

BackgroundBrushStore& SharedBackgroundBrushes() {
    static BackgroundBrushStore store;
    return store;
}

}  // namespace trinumero
