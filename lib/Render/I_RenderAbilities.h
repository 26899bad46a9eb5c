#pragma once

namespace Render {

// Answers questions about the rendering hardware by ability number
// (Render::Ability), and lets the settings override the answers.
class I_RenderAbilities {
public:
    virtual ~I_RenderAbilities() {}

    // The ability's value; -1 for a number outside 0 to 12.
    virtual int getAbility(int ability) = 0;
    // From now on getAbility answers value for this ability. Numbers
    // outside 0 to 12 are ignored.
    virtual void setAbility(int ability, int value) = 0;
};

} // namespace Render
