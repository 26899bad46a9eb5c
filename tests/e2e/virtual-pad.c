/* A virtual gamepad through Linux's uinput for the end-to-end test. It shows
 * itself as an Xbox 360 controller, which GLFW's built-in mappings know,
 * waits 3 s for the game's window, presses A (0.3 s), then holds the left
 * stick up (2 s) and goes away. Exit 77 when /dev/uinput cannot be opened
 * (the test skips), 1 on any other failure. */
#include <fcntl.h>
#include <linux/uinput.h>
#include <stdio.h>
#include <string.h>
#include <sys/ioctl.h>
#include <unistd.h>

static int pad = -1;

static int emit(int type, int code, int value)
{
    struct input_event events[2];
    memset(events, 0, sizeof(events));
    events[0].type = type;
    events[0].code = code;
    events[0].value = value;
    events[1].type = EV_SYN;
    events[1].code = SYN_REPORT;
    return write(pad, events, sizeof(events)) == sizeof(events);
}

int main(void)
{
    static const int buttons[] = {BTN_SOUTH,  BTN_EAST,  BTN_NORTH, BTN_WEST,   BTN_TL,    BTN_TR,
                                  BTN_SELECT, BTN_START, BTN_MODE,  BTN_THUMBL, BTN_THUMBR};
    static const int axes[] = {ABS_X, ABS_Y, ABS_Z, ABS_RX, ABS_RY, ABS_RZ, ABS_HAT0X, ABS_HAT0Y};
    pad = open("/dev/uinput", O_WRONLY);
    if (pad < 0) {
        perror("virtual-pad: /dev/uinput");
        return 77;
    }
    struct uinput_user_dev dev;
    memset(&dev, 0, sizeof(dev));
    snprintf(dev.name, UINPUT_MAX_NAME_SIZE, "Microsoft X-Box 360 pad");
    dev.id.bustype = BUS_USB;
    dev.id.vendor = 0x045e;
    dev.id.product = 0x028e;
    dev.id.version = 0x0114;
    ioctl(pad, UI_SET_EVBIT, EV_KEY);
    ioctl(pad, UI_SET_EVBIT, EV_ABS);
    for (size_t i = 0; i < sizeof(buttons) / sizeof(buttons[0]); ++i) {
        ioctl(pad, UI_SET_KEYBIT, buttons[i]);
    }
    for (size_t i = 0; i < sizeof(axes) / sizeof(axes[0]); ++i) {
        const int code = axes[i];
        const int hat = code == ABS_HAT0X || code == ABS_HAT0Y;
        const int trigger = code == ABS_Z || code == ABS_RZ;
        ioctl(pad, UI_SET_ABSBIT, code);
        dev.absmin[code] = hat ? -1 : trigger ? 0 : -32768;
        dev.absmax[code] = hat ? 1 : trigger ? 255 : 32767;
    }
    if (write(pad, &dev, sizeof(dev)) != sizeof(dev) || ioctl(pad, UI_DEV_CREATE) < 0) {
        perror("virtual-pad: create");
        return 1;
    }
    sleep(3);
    int ok = emit(EV_KEY, BTN_SOUTH, 1);
    usleep(300000);
    ok = ok && emit(EV_KEY, BTN_SOUTH, 0);
    usleep(500000);
    ok = ok && emit(EV_ABS, ABS_Y, -32768);
    sleep(2);
    ok = ok && emit(EV_ABS, ABS_Y, 0);
    ioctl(pad, UI_DEV_DESTROY);
    close(pad);
    return ok ? 0 : 1;
}
