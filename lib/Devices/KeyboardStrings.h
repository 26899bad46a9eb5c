#pragma once

#include <string>

#include "Devices/Keyboard.h"
#include "Util/Singleton.h"
#include "Util/TwoWayMapping.h"

namespace Devices {

// The fixed tables between key names and key codes, and between modifier
// names and modifier bit sets, used to read key settings. Built once on first
// use and never changed.
class KeyboardStrings : public Util::Singleton<KeyboardStrings> {
public:
    using ModMapping = Util::TwoWayMapping<Keyboard::Modifiers, std::string>;
    using KeyMapping = Util::TwoWayMapping<unsigned char, std::string>;

    KeyboardStrings();
    virtual ~KeyboardStrings();

    const ModMapping& modMapping() const { return m_modMapping; }
    const KeyMapping& keyMapping() const { return m_keyMapping; }

private:
    void fillModifiers();
    void fillCodeNames();
    void fillWordNames();

    ModMapping m_modMapping;
    KeyMapping m_keyMapping;
};

} // namespace Devices
