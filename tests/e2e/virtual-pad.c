/* A virtual gamepad through Linux's uinput, for the end-to-end test: it
 * shows itself as an Xbox 360 controller, which GLFW's built-in mappings
 * know, then plays the steps given as arguments and goes away:
 *   wait:S       nothing for S seconds
 *   a:S, start:S, b:S   hold that button for S seconds
 *   up:S, down:S, left:S, right:S   hold the left stick that way for S seconds
 * Exit 77 when /dev/uinput cannot be opened (the test then skips), 1 on
 * any other failure. */
#include <fcntl.h>
#include <linux/uinput.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/ioctl.h>
#include <time.h>
#include <unistd.h>

static int pad = -1;

static void pause_for(double seconds)
{
    struct timespec t = {(time_t)seconds, (long)((seconds - (long)seconds) * 1e9)};
    nanosleep(&t, NULL);
}

static void emit(int type, int code, int value)
{
    struct input_event event;
    memset(&event, 0, sizeof(event));
    event.type = type;
    event.code = code;
    event.value = value;
    if (write(pad, &event, sizeof(event)) != sizeof(event)) {
        perror("virtual-pad: write");
        exit(1);
    }
}

static void sync_pad(void)
{
    emit(EV_SYN, SYN_REPORT, 0);
}

static const int buttons[] = {BTN_SOUTH,  BTN_EAST,  BTN_NORTH, BTN_WEST,   BTN_TL,    BTN_TR,
                              BTN_SELECT, BTN_START, BTN_MODE,  BTN_THUMBL, BTN_THUMBR};
static const int axes[] = {ABS_X, ABS_Y, ABS_Z, ABS_RX, ABS_RY, ABS_RZ, ABS_HAT0X, ABS_HAT0Y};

static void create_pad(void)
{
    pad = open("/dev/uinput", O_WRONLY | O_NONBLOCK);
    if (pad < 0) {
        perror("virtual-pad: /dev/uinput");
        exit(77);
    }
    ioctl(pad, UI_SET_EVBIT, EV_KEY);
    ioctl(pad, UI_SET_EVBIT, EV_ABS);
    for (size_t i = 0; i < sizeof(buttons) / sizeof(buttons[0]); ++i) {
        ioctl(pad, UI_SET_KEYBIT, buttons[i]);
    }
    struct uinput_user_dev dev;
    memset(&dev, 0, sizeof(dev));
    snprintf(dev.name, UINPUT_MAX_NAME_SIZE, "Microsoft X-Box 360 pad");
    dev.id.bustype = BUS_USB;
    dev.id.vendor = 0x045e;
    dev.id.product = 0x028e;
    dev.id.version = 0x0114;
    for (size_t i = 0; i < sizeof(axes) / sizeof(axes[0]); ++i) {
        const int code = axes[i];
        ioctl(pad, UI_SET_ABSBIT, code);
        const int hat = code == ABS_HAT0X || code == ABS_HAT0Y;
        const int trigger = code == ABS_Z || code == ABS_RZ;
        dev.absmin[code] = hat ? -1 : trigger ? 0 : -32768;
        dev.absmax[code] = hat ? 1 : trigger ? 255 : 32767;
    }
    if (write(pad, &dev, sizeof(dev)) != sizeof(dev) || ioctl(pad, UI_DEV_CREATE) < 0) {
        perror("virtual-pad: create");
        exit(1);
    }
}

static void hold(int type, int code, int value, double seconds)
{
    emit(type, code, value);
    sync_pad();
    pause_for(seconds);
    emit(type, code, 0);
    sync_pad();
}

int main(int argc, char** argv)
{
    create_pad();
    for (int i = 1; i < argc; ++i) {
        char name[16] = "";
        double seconds = 0;
        if (sscanf(argv[i], "%15[a-z]:%lf", name, &seconds) != 2) {
            fprintf(stderr, "virtual-pad: not a step: %s\n", argv[i]);
            return 1;
        }
        if (strcmp(name, "wait") == 0) {
            pause_for(seconds);
        } else if (strcmp(name, "a") == 0) {
            hold(EV_KEY, BTN_SOUTH, 1, seconds);
        } else if (strcmp(name, "b") == 0) {
            hold(EV_KEY, BTN_EAST, 1, seconds);
        } else if (strcmp(name, "start") == 0) {
            hold(EV_KEY, BTN_START, 1, seconds);
        } else if (strcmp(name, "up") == 0 || strcmp(name, "down") == 0) {
            hold(EV_ABS, ABS_Y, name[0] == 'u' ? -32768 : 32767, seconds);
        } else if (strcmp(name, "left") == 0 || strcmp(name, "right") == 0) {
            hold(EV_ABS, ABS_X, name[0] == 'l' ? -32768 : 32767, seconds);
        } else {
            fprintf(stderr, "virtual-pad: unknown step: %s\n", argv[i]);
            return 1;
        }
    }
    ioctl(pad, UI_DEV_DESTROY);
    close(pad);
    return 0;
}
