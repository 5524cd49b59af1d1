// Writes the program's icon, drawn as an XPM, as a PNG file for the desktop's icon theme.

#include <QImage>
#include <QString>

#include <cstdio>

#include "vantoli.xpm"

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.png\n", argv[0]);
        return 2;
    }
    const QImage icon(vantoli_xpm);
    if (icon.isNull() || !icon.save(QString::fromLocal8Bit(argv[1]), "PNG")) {
        std::fprintf(stderr, "%s: cannot write %s\n", argv[0], argv[1]);
        return 1;
    }
    return 0;
}
