#include "Game/GLFW/GLFW27.h"

#include <array>

#include "Game/GLFW/GLFW27Aliases.h"

using namespace GLFW27::Aliases;

// The translation between GLFW 3 key numbers and the 2.7 numbers of the layer.

#define GLFW_INCLUDE_NONE
#include <GLFW/glfw3.h>

namespace {

constexpr int kSpecial3[] = {
    GLFW_KEY_ESCAPE,        GLFW_KEY_UP,          GLFW_KEY_DOWN,        GLFW_KEY_LEFT,
    GLFW_KEY_RIGHT,         GLFW_KEY_LEFT_SHIFT,  GLFW_KEY_RIGHT_SHIFT, GLFW_KEY_LEFT_CONTROL,
    GLFW_KEY_RIGHT_CONTROL, GLFW_KEY_LEFT_ALT,    GLFW_KEY_RIGHT_ALT,   GLFW_KEY_TAB,
    GLFW_KEY_ENTER,         GLFW_KEY_BACKSPACE,   GLFW_KEY_INSERT,      GLFW_KEY_DELETE,
    GLFW_KEY_PAGE_UP,       GLFW_KEY_PAGE_DOWN,   GLFW_KEY_HOME,        GLFW_KEY_END,
    GLFW_KEY_KP_DIVIDE,     GLFW_KEY_KP_MULTIPLY, GLFW_KEY_KP_SUBTRACT, GLFW_KEY_KP_ADD,
    GLFW_KEY_KP_DECIMAL,    GLFW_KEY_KP_EQUAL,    GLFW_KEY_KP_ENTER,    GLFW_KEY_NUM_LOCK,
    GLFW_KEY_CAPS_LOCK,     GLFW_KEY_SCROLL_LOCK, GLFW_KEY_PAUSE,       GLFW_KEY_LEFT_SUPER,
    GLFW_KEY_RIGHT_SUPER,   GLFW_KEY_MENU,
};
static_assert(sizeof(kSpecial3) == sizeof(kSpecial27), "the two key tables must pair up");

// Both directions of the key translation, built once. 2.7 numbers run up to
// kUnknownBase + GLFW_KEY_LAST, since keys 2.7 does not know are placed after its last key.
constexpr int kUnknownBase = k27Last + 1;
constexpr int k27Max = kUnknownBase + GLFW_KEY_LAST;
static_assert(k27Max + 1 == GLFW27::KEY_NUMBER_LIMIT, "the header's limit must cover every key");

struct KeyTables {
    std::array<int, GLFW_KEY_LAST + 1> from3;
    std::array<int, k27Max + 1> to3;

    KeyTables()
    {
        from3.fill(k27Unknown);
        to3.fill(-1);
        for (int key = GLFW_KEY_SPACE; key <= GLFW_KEY_LAST; ++key) {
            if (key <= GLFW_KEY_GRAVE_ACCENT) {
                pair(key, key); // printable keys carry the same numbers
            } else if (key >= GLFW_KEY_F1 && key <= GLFW_KEY_F25) {
                pair(key, k27F1 + (key - GLFW_KEY_F1));
            } else if (key >= GLFW_KEY_KP_0 && key <= GLFW_KEY_KP_9) {
                pair(key, k27Kp0 + (key - GLFW_KEY_KP_0));
            }
        }
        for (std::size_t i = 0; i < sizeof(kSpecial3) / sizeof(kSpecial3[0]); ++i) {
            pair(kSpecial3[i], kSpecial27[i]);
        }
        for (int key = 0; key <= GLFW_KEY_LAST; ++key) {
            if (from3[key] == k27Unknown) {
                pair(key, kUnknownBase + key);
            }
        }
    }

    void pair(int key3, int key27)
    {
        from3[key3] = key27;
        to3[key27] = key3;
    }
};

const KeyTables& keyTables()
{
    static const KeyTables tables;
    return tables;
}

} // namespace

namespace GLFW27 {

int keyFromGlfw3(int glfw3Key)
{
    if (glfw3Key < 0 || glfw3Key > GLFW_KEY_LAST) {
        return k27Unknown;
    }
    return keyTables().from3[glfw3Key];
}

int keyToGlfw3(int key)
{
    if (key < 0 || key > k27Max) {
        return -1;
    }
    return keyTables().to3[key];
}

} // namespace GLFW27
