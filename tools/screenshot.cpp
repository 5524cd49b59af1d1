// vantoli_screenshot [--entry-error | --drop] OUT.png
//
// Opens the main window as the program does, types the times of a six-track disc into the entries
// with the keyboard and presses Run with the mouse, then saves what the screen shows of the window.
// With --entry-error it then types "4:31" for track 7 and presses Run again, and saves the window
// together with the message box that answers it.
// With --drop it instead makes an album of eight tagged FLAC files (with the flac encoder) in a
// temporary folder, drops the folder on the window as a file manager drops it, points at the third
// entry and saves the window with the tooltip that names the track.

#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <QUrl>
#include <QtEndian>

#include <cstdio>
#include <memory>

#include "device/libcdio_device.h"
#include "gui/fonts.h"
#include "gui/main_form.h"
#include "gui/translation.h"

namespace {

bool saveScreen(QRect area, const QString& path)
{
    const QPixmap shot =
        QGuiApplication::primaryScreen()->grabWindow(0, area.x(), area.y(), area.width(), area.height());
    return shot.save(path, "PNG");
}

// Writes `seconds` of CD-quality silence as a FLAC file with its tags; false when flac fails.
bool writeFlac(const QString& path, int seconds, const QString& title, const QString& artist, const QString& album)
{
    const QString wav = path + ".wav";
    const quint32 dataBytes = quint32(seconds) * 44100 * 4;
    QByteArray header("RIFF....WAVEfmt ", 16);
    qToLittleEndian(36 + dataBytes, header.data() + 4);
    char fmt[20];
    qToLittleEndian(quint32(16), fmt);
    qToLittleEndian(quint16(1), fmt + 4);
    qToLittleEndian(quint16(2), fmt + 6);
    qToLittleEndian(quint32(44100), fmt + 8);
    qToLittleEndian(quint32(44100 * 4), fmt + 12);
    qToLittleEndian(quint16(4), fmt + 16);
    qToLittleEndian(quint16(16), fmt + 18);
    header.append(fmt, 20).append("data", 4);
    char size[4];
    qToLittleEndian(dataBytes, size);
    header.append(size, 4);
    QFile file(wav);
    if (!file.open(QIODevice::WriteOnly) || file.write(header) != header.size() ||
        !file.resize(header.size() + dataBytes))
        return false;
    file.close();
    const int status =
        QProcess::execute(QStringLiteral("flac"), {"--silent", "--force", "-o", path, "--tag=TITLE=" + title,
                                                   "--tag=ARTIST=" + artist, "--tag=ALBUM=" + album, wav});
    QFile::remove(wav);
    return status == 0;
}

// The album dropped on the window: its folder, or an empty string when it could not be made.
QString writeAlbum(const QTemporaryDir& folder)
{
    struct Song {
        const char* title;
        int seconds;
    };
    const Song songs[] = {{"夜明けの歌", 252}, {"青い坂道", 228}, {"雨あがり", 303},     {"遠い灯台", 271},
                          {"秋の手紙", 239},   {"海辺の駅", 284}, {"星をかぞえて", 362}, {"おやすみ", 207}};
    const QString album = QDir(folder.path()).filePath(QStringLiteral("季節の手紙"));
    if (!QDir().mkpath(album)) return {};
    int number = 1;
    for (const Song& song : songs) {
        const QString name =
            QStringLiteral("%1 %2.flac").arg(number++, 2, 10, QLatin1Char('0')).arg(QString::fromUtf8(song.title));
        if (!writeFlac(QDir(album).filePath(name), song.seconds, QString::fromUtf8(song.title),
                       QStringLiteral("青木さくら"), QStringLiteral("季節の手紙")))
            return {};
    }
    return album;
}

// Drops the folder on the window as a file manager drops it, and waits for the read to end; false
// when the entries stay empty.
bool dropFolder(vantoli::MainForm& window, const QString& folder)
{
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(folder)});
    const QPoint at(window.width() / 2, window.height() / 2);
    QDragEnterEvent enter(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &enter);
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&window, &drop);
    return QTest::qWaitFor([&] { return !window.Tm(0)->text().isEmpty(); }, 5000);
}

}  // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    // English under an English locale (LANG=en_US.UTF-8), else the program\'s own Japanese.
    vantoli::useLanguage(vantoli::languageFromEnvironment());
    const QStringList args = app.arguments().mid(1);
    const bool entryError = args.contains(QStringLiteral("--entry-error"));
    const bool dropped = args.contains(QStringLiteral("--drop"));
    const QStringList paths = args.filter(QStringLiteral(".png"));
    if (paths.size() != 1) {
        std::fprintf(stderr, "usage: vantoli_screenshot [--entry-error | --drop] OUT.png\n");
        return 2;
    }
    const QString out = paths.front();

    vantoli::registerFontSubstitutions();
    vantoli::MainForm window(std::make_unique<vantoli::LibcdioDevice>());
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) return 1;
    window.activateWindow();
    if (!QTest::qWaitForWindowActive(&window)) return 1;

    if (dropped) {
        QTemporaryDir folder;
        const QString album = writeAlbum(folder);
        if (album.isEmpty() || !dropFolder(window, album)) return 1;
        QLineEdit* entry = window.Tm(2);
        QTest::mouseMove(entry, QPoint(entry->width() / 2, entry->height() / 2));
        QToolTip::showText(entry->mapToGlobal(QPoint(entry->width() / 2, entry->height())), entry->toolTip(), entry);
        QTest::qWait(500);
        QRect area = window.frameGeometry();
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (widget->inherits("QTipLabel") && widget->isVisible()) area = area.united(widget->frameGeometry());
        return saveScreen(area, out) ? 0 : 1;
    }

    const char* const sample[] = {"431", "350", "512", "405", "600", "330"};
    int track = 0;
    for (const char* time : sample) QTest::keyClicks(window.Tm(track++), QLatin1String(time));
    QTest::mouseClick(window.Run(), Qt::LeftButton);
    QTest::qWait(200);

    if (!entryError) return saveScreen(window.frameGeometry(), out) ? 0 : 1;

    QTest::keyClicks(window.Tm(track), QStringLiteral("4:31"));
    bool saved = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible()) return;
        poll.stop();
        QTest::qWait(300);
        saved = saveScreen(window.frameGeometry().united(box->frameGeometry()), out);
        box->button(QMessageBox::Ok)->click();
    });
    poll.start(20);
    QTest::mouseClick(window.Run(), Qt::LeftButton);
    return saved ? 0 : 1;
}
