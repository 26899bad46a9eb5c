/* Preloaded into the game by bench/title-cpu.sh: counts the buffer swaps
 * (the frames actually drawn) and writes the count to the file named by
 * SWAP_COUNT_FILE about ten times a second, so that a script can read how
 * many frames a span of time drew even when it ends the game by a signal. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdio.h>
#include <stdlib.h>
#include <time.h>

typedef struct GLFWwindow GLFWwindow;

void glfwSwapBuffers(GLFWwindow* window)
{
    static void (*real)(GLFWwindow*) = NULL;
    static unsigned long swaps = 0;
    static double lastWrite = 0.0;
    if (real == NULL) {
        real = (void (*)(GLFWwindow*))dlsym(RTLD_NEXT, "glfwSwapBuffers");
    }
    real(window);
    ++swaps;
    struct timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    const double seconds = (double)now.tv_sec + (double)now.tv_nsec / 1e9;
    const char* path = getenv("SWAP_COUNT_FILE");
    if (path != NULL && seconds - lastWrite >= 0.1) {
        lastWrite = seconds;
        FILE* file = fopen(path, "w");
        if (file != NULL) {
            fprintf(file, "%lu %.3f\n", swaps, seconds);
            fclose(file);
        }
    }
}
