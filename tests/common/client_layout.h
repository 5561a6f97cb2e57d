#pragma once

#include "control.h"
#include "layout.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPoint>
#include <QRect>
#include <QString>

namespace pokaz::test {

// Where each control of Form_Pokaz lies in the window's client area, in
// pixels, and the points the tests aim at, as client_layout.json gives them
// to these tests, the end-to-end tests and the benchmarks. It names a control
// as its picture file does: Pic_Papir(1) shows Pic_Papir_1.bmp.
inline QString fileStem(Control control)
{
    return QString::fromLatin1(controlName(control)).replace('(', '_').remove(')');
}
inline QString pictureFile(Control control) { return fileStem(control) + QStringLiteral(".bmp"); }

// An entry of the file; one it lacks ends the test.
inline QJsonArray clientLayout(const char* group, const QString& name = {})
{
    static const QJsonObject layout = [] {
        QFile file(QStringLiteral(POKAZ_CLIENT_LAYOUT));
        return file.open(QIODevice::ReadOnly) ? QJsonDocument::fromJson(file.readAll()).object() : QJsonObject();
    }();
    const QJsonValue entry = name.isEmpty() ? layout[QLatin1String(group)] : layout[QLatin1String(group)][name];
    if (!entry.isArray())
        qFatal("%s lacks %s %s", POKAZ_CLIENT_LAYOUT, group, qPrintable(name));
    return entry.toArray();
}

inline QRect clientRect(Control control)
{
    const QJsonArray r = clientLayout("rects", fileStem(control));
    return {r[0].toInt(), r[1].toInt(), r[2].toInt(), r[3].toInt()};
}
inline QPoint pointOf(const QJsonValue& xy) { return {xy[0].toInt(), xy[1].toInt()}; }
inline QPoint clientPoint(const char* name) { return pointOf(clientLayout("points", QLatin1String(name))); }
// The middle of drawer k (1 to 5), closed and open.
inline QPoint closedDrawerPoint(int k) { return pointOf(clientLayout("closedDrawers")[k - 1]); }
inline QPoint openDrawerPoint(int k) { return pointOf(clientLayout("openDrawers")[k - 1]); }

inline const QPoint PaperPoint = clientPoint("PaperPoint");
inline const QPoint PencilsPoint = clientPoint("PencilsPoint");
inline const QPoint EnvelopePoint = clientPoint("EnvelopePoint");
inline const QPoint SlotPoint = clientPoint("SlotPoint");
inline const QPoint BesideSlotPoint = clientPoint("BesideSlotPoint");
inline const QPoint BetweenBackgroundsPoint = clientPoint("BetweenBackgroundsPoint");
inline const QSize FullClientSize{clientLayout("fullClientSize")[0].toInt(), clientLayout("fullClientSize")[1].toInt()};
inline const QJsonArray ClosingClientHeights = clientLayout("closingClientHeights");

} // namespace pokaz::test
