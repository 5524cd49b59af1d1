#pragma once
// Answers of the MusicBrainz disc database in the shape its web service documents for
// /ws/2/discid/<id>?fmt=json&inc=recordings+artist-credits, for the tests that read them and the
// tests that serve them from 127.0.0.1.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace vantoli::test {

// A table of contents with its disc ID as MusicBrainz computes it (libdiscid's own test disc).
inline constexpr const char* KnownDiscId = "xUp1F2NkfP8s8jaeFn_Av3jNEI4-";
inline constexpr int KnownLeadOut = 303602;
inline constexpr int KnownOffsets[] = {150,    9700,   25887,  39297,  53795,  63735,  77517,  94877,
                                       107270, 123552, 135522, 148422, 161197, 174790, 192022, 205545,
                                       218010, 228700, 239590, 255470, 266932, 288750};

struct SampleMedium {
    QString format = "CD";
    QString discId;         // the disc the medium lists; empty for none
    QStringList titles;     // one track each
    int lengthMs = 200000;  // every track's length as the service has it
};

inline QByteArray credit(const QString& name)
{
    return QStringLiteral(R"([{"name":"%1","joinphrase":"","artist":{"id":"a1","name":"%1","sort-name":"%1"}}])")
        .arg(name)
        .toUtf8();
}

inline QByteArray medium(const SampleMedium& m, int position)
{
    QByteArray tracks;
    for (int i = 0; i < m.titles.size(); ++i) {
        if (i) tracks += ',';
        tracks += QStringLiteral(R"({"id":"t%1","position":%2,"number":"%2","title":"%3","length":%4,"artist-credit":)")
                      .arg(i)
                      .arg(i + 1)
                      .arg(m.titles[i])
                      .arg(m.lengthMs)
                      .toUtf8() +
                  credit("Track Artist " + QString::number(i + 1)) +
                  QStringLiteral(R"(,"recording":{"id":"r%1","title":"%2","length":%3}})")
                      .arg(i)
                      .arg(m.titles[i])
                      .arg(m.lengthMs)
                      .toUtf8();
    }
    const QByteArray discs =
        m.discId.isEmpty()
            ? QByteArray("[]")
            : QStringLiteral(R"([{"id":"%1","sectors":303602,"offset-count":22}])").arg(m.discId).toUtf8();
    return QStringLiteral(R"({"position":%1,"format":"%2","title":"","track-count":%3,"track-offset":0,"discs":)")
               .arg(position)
               .arg(m.format)
               .arg(m.titles.size())
               .toUtf8() +
           discs + R"(,"tracks":[)" + tracks + "]}";
}

struct SampleRelease {
    QString title;
    QString artist;
    QString date = "2001-05-14";
    QString country = "JP";
    QString barcode = "4988001234567";
    QList<SampleMedium> media;
};

inline QByteArray discAnswer(const QList<SampleRelease>& releases)
{
    QByteArray list;
    for (int r = 0; r < releases.size(); ++r) {
        const SampleRelease& release = releases[r];
        QByteArray media;
        for (int m = 0; m < release.media.size(); ++m) media += (m ? "," : "") + medium(release.media[m], m + 1);
        if (r) list += ',';
        list += QStringLiteral(
                    R"({"id":"rel%1","title":"%2","status":"Official","date":"%3","country":"%4","barcode":"%5",)")
                    .arg(r)
                    .arg(release.title, release.date, release.country, release.barcode)
                    .toUtf8() +
                R"("artist-credit":)" + credit(release.artist) + R"(,"media":[)" + media + "]}";
    }
    return QStringLiteral(R"({"id":"%1","sectors":303602,"offset-count":22,"offsets":[150],"releases":[)")
               .arg(KnownDiscId)
               .toUtf8() +
           list + "]}";
}

// Titles "Song 1".."Song n".
inline QStringList songTitles(int count, const QString& prefix = "Song ")
{
    QStringList titles;
    for (int i = 1; i <= count; ++i) titles << prefix + QString::number(i);
    return titles;
}

}  // namespace vantoli::test
