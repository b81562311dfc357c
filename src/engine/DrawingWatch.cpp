#include "DrawingWatch.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <utility>
#include <vector>

namespace ckw::engine {

namespace {

// Few drawings are watched at a time (the tabs of a window), so a list serves.
struct Watchers {
    std::mutex lock;
    std::vector<std::pair<const Drawing*, DrawingWatcher*>> list;
    std::atomic<size_t> count{0};
};

Watchers& All() {
    static Watchers watchers;
    return watchers;
}

}  // namespace

void Watch(const Drawing& drawing, DrawingWatcher* watcher) {
    Watchers& all = All();
    std::lock_guard<std::mutex> hold(all.lock);
    auto& list = all.list;
    std::erase_if(list, [&](const auto& entry) { return entry.first == &drawing; });
    list.emplace_back(&drawing, watcher);
    all.count.store(list.size(), std::memory_order_release);
}

void Unwatch(const Drawing& drawing, const DrawingWatcher* watcher) {
    Watchers& all = All();
    std::lock_guard<std::mutex> hold(all.lock);
    auto& list = all.list;
    std::erase_if(list, [&](const auto& entry) { return entry.first == &drawing && entry.second == watcher; });
    all.count.store(list.size(), std::memory_order_release);
}

DrawingWatcher* WatcherOf(const Drawing& drawing) {
    Watchers& all = All();
    if (all.count.load(std::memory_order_acquire) == 0) return nullptr;
    std::lock_guard<std::mutex> hold(all.lock);
    for (const auto& [watched, watcher] : all.list)
        if (watched == &drawing) return watcher;
    return nullptr;
}

}  // namespace ckw::engine
