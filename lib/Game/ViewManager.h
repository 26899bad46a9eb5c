#pragma once

#include <algorithm>
#include <vector>

#include "Game/I_View.h"
#include "Util/NonCopyable.h"

namespace Game {

// Holds the views in drawing order and passes the frame's calls on to
// them. Views may be added and removed at any time, even from inside their
// own calls: the changes wait in pending lists until the start of the next
// update, render or input pass. It does not own the views. Final: the game
// manager's one instance is all there is, and its calls on itself are then
// direct.
class ViewManager final : private Util::NonCopyable<ViewManager> {
public:
    ViewManager();
    virtual ~ViewManager();

    // Tells the view the current screen size at once; it is called
    // otherwise from the next pass on. A null view is refused.
    virtual void add(I_View* view);
    // From now on the view is called no more, so it may be destroyed right
    // after this returns. A removal first cancels a pending addition of the
    // same view; otherwise it takes the view out at the next pass.
    virtual void remove(I_View* view);
    virtual void setPause(bool paused);
    virtual void setScreenSize(int width, int height);
    virtual void preUpdate(float delta);
    virtual void onUpdate(float delta);
    virtual void onRender();
    // Offers the event to the views from the top (last drawn) down, until a
    // view stops it.
    virtual void onInput(EVT::I_Event* event);
    virtual void getScreenSize(int& width, int& height) const;
    // False while a removal of the view is pending. Asked for every view in
    // every pass, so it is kept inline.
    virtual bool viewStillValid(const I_View* view) const
    {
        return pendingRemoves.empty() || std::find(pendingRemoves.begin(), pendingRemoves.end(),
                                                   view) == pendingRemoves.end();
    }
    // Applies pending removals, then pending additions. Deferred while a
    // walk over the views is in progress.
    virtual void doPendingUpdates();

private:
    // Counts walks over the views so that nested calls leave the sequence
    // alone; ends the count even if a view throws.
    class Walk {
    public:
        explicit Walk(int& depth) : depth(depth) { ++depth; }
        ~Walk() { --depth; }

    private:
        int& depth;
    };

    template <typename Call>
    void forEachValidView(Call call);
    // Applies pending changes, if there are any, at the start of a pass.
    void startPass()
    {
        if (!pendingRemoves.empty() || !pendingAdds.empty())
            doPendingUpdates();
    }

    int screenWidth;
    int screenHeight;
    std::vector<I_View*> views;
    std::vector<I_View*> pendingAdds;
    std::vector<I_View*> pendingRemoves;
    int walkDepth;
};

} // namespace Game
