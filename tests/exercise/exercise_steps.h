#pragma once

// Steps of the exercise and views of the in-memory window, shared by the
// exercise's tests.

#include "exercise.h"
#include "fake_form.h"

#include <QString>
#include <QStringList>

#include <algorithm>

namespace pokaz::test {

inline constexpr float ManHome = 6210.0F;
inline constexpr float MailboxHome = 135.0F;
inline constexpr int SlideSteps = 93;

inline QString text(const std::string& value) { return QString::fromStdString(value); }

// The visible paper members, e.g. "1", or "" for none.
inline QString paper(const FakeForm& form)
{
    QStringList members;
    for (const int index : form.visiblePaper())
        members << QString::number(index);
    return members.join(',');
}

inline QString log(const FakeForm& form)
{
    QStringList entries;
    for (const auto& entry : form.log)
        entries << text(entry);
    return entries.join(" | ");
}

inline void dragPencilsOverPaper(Exercise& exercise, int events)
{
    for (int i = 0; i < events; ++i)
        exercise.Pic_Papir_DragOver(0, Control::Pic_Olovke, 0.0F, 0.0F, 2);
}

// Drawers 3 and 4 opened and closed: the paper and the pencils on the desk.
inline void takeOutPaperAndPencils(Exercise& exercise)
{
    exercise.Pic_L3_Z_Click();
    exercise.Pic_L3_O_Click();
    exercise.Pic_L4_Z_Click();
    exercise.Pic_L4_O_Click();
}

// Takes the paper and the pencils out, writes and finishes the letter.
inline void finishLetter(Exercise& exercise)
{
    takeOutPaperAndPencils(exercise);
    dragPencilsOverPaper(exercise, 101);
}

inline void postLetter(Exercise& exercise)
{
    exercise.Pic_Papir_DblClick(4);
    exercise.Pic_S_Z_DragOver(Control::Pic_Pismo, 0.0F, 0.0F, 0);
    exercise.Pic_S_O_DragDrop(Control::Pic_Pismo, 0.0F, 0.0F);
}

inline int countEntries(const FakeForm& form, const std::string& prefix)
{
    return static_cast<int>(std::count_if(form.log.begin(), form.log.end(),
        [&](const std::string& entry) { return entry.starts_with(prefix); }));
}

} // namespace pokaz::test
