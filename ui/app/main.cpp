#include "ui/app/CQuillmarkApp.h"

int main(int argc, char** argv) {
    return RunQuillmark(argc, argv);
}
