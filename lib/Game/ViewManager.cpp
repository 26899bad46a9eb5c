#include "Game/ViewManager.h"

#include <algorithm>

namespace Game {

namespace {

bool contains(const std::vector<I_View*>& list, const I_View* view)
{
    return std::find(list.begin(), list.end(), view) != list.end();
}

} // namespace

ViewManager::ViewManager() : screenWidth(0), screenHeight(0), walkDepth(0) {}

ViewManager::~ViewManager() = default;

void ViewManager::add(I_View* view)
{
    if (view == nullptr)
        return;
    pendingAdds.push_back(view);
    view->setScreenSize(screenWidth, screenHeight);
}

void ViewManager::remove(I_View* view)
{
    if (view == nullptr)
        return;
    // Owners remove a view and then destroy it. Were a pending addition of
    // it left standing, the next pass would register a dead view.
    auto added = std::find(pendingAdds.rbegin(), pendingAdds.rend(), view);
    if (added != pendingAdds.rend()) {
        pendingAdds.erase(std::next(added).base());
        // Still listed as removed when it is not registered, so that it
        // reads as invalid until the next pass, like any removed view.
        if (!contains(views, view))
            pendingRemoves.push_back(view);
        return;
    }
    pendingRemoves.push_back(view);
}

void ViewManager::doPendingUpdates()
{
    if (walkDepth > 0)
        return;
    for (I_View* view : pendingRemoves) {
        auto it = std::find(views.begin(), views.end(), view);
        if (it != views.end())
            views.erase(it);
    }
    pendingRemoves.clear();
    views.insert(views.end(), pendingAdds.begin(), pendingAdds.end());
    pendingAdds.clear();
}

template <typename Call>
void ViewManager::forEachValidView(Call call)
{
    // views only changes in doPendingUpdates, which waits for the walk to
    // end; the validity test is made per view because a call may remove
    // views further along.
    Walk walk(walkDepth);
    for (std::size_t i = 0; i < views.size(); ++i) {
        if (viewStillValid(views[i]))
            call(views[i]);
    }
}

void ViewManager::setScreenSize(int width, int height)
{
    if (width == screenWidth && height == screenHeight)
        return;
    screenWidth = width;
    screenHeight = height;
    forEachValidView([&](I_View* view) { view->setScreenSize(width, height); });
    // Views waiting to be registered were told the old size when added.
    // A copy is walked, since a call may remove or add views; a view that
    // has been removed meanwhile is not called.
    const std::vector<I_View*> waiting = pendingAdds;
    for (I_View* view : waiting) {
        if (contains(pendingAdds, view))
            view->setScreenSize(width, height);
    }
}

void ViewManager::getScreenSize(int& width, int& height) const
{
    width = screenWidth;
    height = screenHeight;
}

void ViewManager::setPause(bool paused)
{
    forEachValidView([&](I_View* view) { view->setPause(paused); });
}

void ViewManager::preUpdate(float delta)
{
    forEachValidView([&](I_View* view) { view->preUpdate(delta); });
}

void ViewManager::onUpdate(float delta)
{
    startPass();
    forEachValidView([&](I_View* view) { view->onUpdate(delta); });
}

void ViewManager::onRender()
{
    startPass();
    forEachValidView([](I_View* view) { view->onRender(); });
}

void ViewManager::onInput(EVT::I_Event* event)
{
    startPass();
    Walk walk(walkDepth);
    for (std::size_t i = views.size(); i > 0 && event != nullptr; --i) {
        I_View* view = views[i - 1];
        if (viewStillValid(view))
            event = view->onInput(event);
    }
}

} // namespace Game
