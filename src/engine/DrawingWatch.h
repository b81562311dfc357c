#pragma once
// Lets an undo history learn of a drawing's changes before they are made. Drawing is an exported
// class that cannot carry more members, so the watchers are kept beside it, by address, and the
// drawing's mutators ask for theirs.
#include <ckw/EngineDrawing.h>

namespace ckw::engine {

class DrawingWatcher {
public:
    virtual ~DrawingWatcher() = default;
    // The entity at index is about to change (erase: only its deleted mark is about to be set).
    virtual void BeforeEntity(const Drawing& drawing, size_t index, bool erase) = 0;
    virtual void BeforePart(const Drawing& drawing, Drawing::Part part) = 0;
};

// Starts the watching of a drawing, which must stay where it is until the watcher ends it.
void Watch(const Drawing& drawing, DrawingWatcher* watcher);
// Ends it, when the drawing is still this watcher's.
void Unwatch(const Drawing& drawing, const DrawingWatcher* watcher);
// The drawing's watcher or null; quick when no drawing is watched.
DrawingWatcher* WatcherOf(const Drawing& drawing);

}  // namespace ckw::engine
