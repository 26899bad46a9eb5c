#include <gtest/gtest.h>

#include <cmath>

#include "Devices/Joypad.h"

namespace {

using Devices::Joypad;

TEST(JoypadTest, KeepsWhatIsWrittenWithinItsRanges)
{
    Joypad joypad;
    struct Row {
        float written;
        float read;
    };
    const Row rows[] = {{0.5f, 0.5f},   {-1.0f, -1.0f}, {7.0f, 1.0f},
                        {-3.0f, -1.0f}, {NAN, 0.0f},    {INFINITY, 1.0f}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.written);
        joypad.setAxis(15, Joypad::LEFT_Y, row.written);
        EXPECT_EQ(row.read, joypad.pad(15).axes[Joypad::LEFT_Y]);
    }
    EXPECT_TRUE(joypad.pad(15).connected);
    EXPECT_FALSE(joypad.pad(0).connected);

    // Numbers out of range are ignored and read as a pad not connected.
    for (int number : {-1, Joypad::MAX_PADS}) {
        SCOPED_TRACE(number);
        joypad.setButton(number, Joypad::BUTTON_A, true);
        joypad.setAxis(number, Joypad::LEFT_X, 1.0f);
        EXPECT_FALSE(joypad.pad(number).connected);
        EXPECT_FALSE(joypad.pad(number).buttons[Joypad::BUTTON_A]);
    }
    joypad.setButton(2, Joypad::BUTTONS, true);
    joypad.setAxis(2, -1, 1.0f);
    EXPECT_FALSE(joypad.pad(2).connected);

    // Unplugged, a pad forgets what it showed.
    joypad.setButton(3, Joypad::START, true);
    joypad.setConnected(3, false);
    EXPECT_FALSE(joypad.pad(3).connected);
    EXPECT_FALSE(joypad.pad(3).buttons[Joypad::START]);
}

} // namespace
