#pragma once

#include <algorithm>
#include <vector>

namespace Game {

// An ordered list of listeners, each at most once, that may be changed while it is being
// walked, even from inside a listener's own call: a listener removed during a walk is not
// called after its removal, and one added during a walk is first called by the next walk.
// Walks allocate nothing. Does not own the listeners.
template <typename Listener> class ListenerList {
public:
    ListenerList() { walks.reserve(4); }
    ListenerList(const ListenerList&) = delete;
    ListenerList& operator=(const ListenerList&) = delete;

    // False when the listener is already listed.
    bool add(Listener* listener)
    {
        if (contains(listener)) {
            return false;
        }
        listeners.push_back(listener);
        return true;
    }

    void remove(Listener* listener)
    {
        auto found = std::find(listeners.begin(), listeners.end(), listener);
        if (found == listeners.end()) {
            return;
        }
        const std::size_t position = static_cast<std::size_t>(found - listeners.begin());
        listeners.erase(found);
        // Every walk in progress keeps pointing at the same next listener.
        for (Walk& walk : walks) {
            if (position < walk.next) {
                --walk.next;
            }
            if (position < walk.end) {
                --walk.end;
            }
        }
    }

    bool contains(const Listener* listener) const
    {
        return std::find(listeners.begin(), listeners.end(), listener) != listeners.end();
    }

    std::size_t size() const { return listeners.size(); }

    // Calls call(listener) for each listener listed when the walk began, in order, skipping
    // those removed meanwhile.
    template <typename Call> void forEach(Call call)
    {
        // The usual case, every frame: nobody listens.
        if (listeners.empty()) {
            return;
        }
        const std::size_t depth = walks.size();
        walks.push_back(Walk{0, listeners.size()});
        // Ends the walk even if a listener throws.
        struct EndWalk {
            std::vector<Walk>& walks;
            ~EndWalk() { walks.pop_back(); }
        } endWalk{walks};
        while (walks[depth].next < walks[depth].end) {
            Listener* listener = listeners[walks[depth].next];
            ++walks[depth].next;
            call(listener);
        }
    }

private:
    // A walk in progress: the position of the next listener to call and the end of the
    // listeners it covers. Walks nest when a listener's call leads to another walk.
    struct Walk {
        std::size_t next;
        std::size_t end;
    };

    std::vector<Listener*> listeners;
    // Room for a few nested walks is made up front, so walking allocates nothing.
    std::vector<Walk> walks;
};

} // namespace Game
