#pragma once

#include <QDir>
#include <QImage>
#include <QString>
#include <QStringList>

namespace pokaz::assets {

// One picture for a reviewer: every scene the learner can see, put together
// from the finished picture files at the places the window shows them, one
// labelled tile per scene (each drawer open, each paper stage with the
// pencils, the mailbox slot closed and open, the man with the envelope).
class ContactSheet final {
public:
    static constexpr int MaxWidth = 2016;
    static constexpr int Gap = 12;
    static constexpr int LabelHeight = 22;

    [[nodiscard]] static QImage compose(const QDir& assets);

private:
    struct Tile {
        QString label;
        QImage picture;
    };

    // `shown`: the pictures of one scene that are visible, drawn in the window's stacking order.
    [[nodiscard]] static QImage scene(const QDir& assets, const QStringList& shown);
    [[nodiscard]] static QImage layOut(const QList<Tile>& tiles);
};

} // namespace pokaz::assets
