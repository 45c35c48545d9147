#include "app/corvaneApp.h"

#include <QApplication>

#include <clocale>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <langinfo.h>

namespace {

// libmediainfo converts file names with the C library's character type, so a
// process started in the C locale could not open non-ASCII names.
void ensureUtf8CharacterType() {
    std::setlocale(LC_ALL, "");
    if (std::strcmp(nl_langinfo(CODESET), "UTF-8") != 0) {
        if (!std::setlocale(LC_CTYPE, "C.UTF-8"))
            std::setlocale(LC_CTYPE, "en_US.UTF-8");
    }
    // Numbers are always read and written with a point.
    std::setlocale(LC_NUMERIC, "C");
}

bool hasDisplay() {
    auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value && *value;
    };
    return set("DISPLAY") || set("WAYLAND_DISPLAY") || set("QT_QPA_PLATFORM");
}

} // namespace

int main(int argc, char* argv[]) {
    ensureUtf8CharacterType();
    if (!hasDisplay()) {
        std::fprintf(stderr, "corvane: no display found (DISPLAY or WAYLAND_DISPLAY is not set); "
                             "Corvane needs a graphical desktop session.\n");
        return 1;
    }
    QApplication app(argc, argv);
    CorvaneApp corvane(QCoreApplication::applicationDirPath(), app.arguments().mid(1));
    corvane.show();
    return app.exec();
}
