// The whole-text check of windows: needed text sizes from the controls' font metrics against their boxes.
#include "support/TextFit.h"

#include "platform/ui/Control.h"
#include "platform/ui/Label.h"

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QApplication>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QStyle>
#include <QTextDocument>

namespace testing_env {
namespace {

constexpr int kUnbounded = 1 << 20;

// The height the text takes when wrapped at width, paragraph by paragraph.
int WrappedHeight(const QFontMetrics& metrics, const QString& text, int width) {
    int height = 0;
    for (const QString& paragraph : text.split(u'\n')) {
        height += paragraph.isEmpty()
                      ? metrics.lineSpacing()
                      : metrics.boundingRect(QRect(0, 0, width, kUnbounded), Qt::TextWordWrap, paragraph).height();
    }
    return height;
}

// The widest line or word the text must show on one line.
int WidestUnbreakable(const QFontMetrics& metrics, const QString& text, bool wraps) {
    int widest = 0;
    for (const QString& line : text.split(u'\n')) {
        const QStringList pieces = wraps ? line.split(u' ', Qt::SkipEmptyParts) : QStringList{line};
        for (const QString& piece : pieces) widest = std::max(widest, metrics.horizontalAdvance(piece));
    }
    return widest;
}

void ExpectFits(const QString& where, const QString& text, QSize needed, QSize box) {
    EXPECT_LE(needed.width(), box.width())
        << where.toStdString() << ": \"" << text.toStdString() << "\" is cut at the right";
    EXPECT_LE(needed.height(), box.height())
        << where.toStdString() << ": \"" << text.toStdString() << "\" is cut at the bottom";
}

void ExpectLabelFits(const QString& where, const QLabel& label) {
    const QFontMetrics metrics(label.font());
    const QString text = ui::StripAccelChars(label.text());
    const QRect box = label.contentsRect();
    const int height = label.wordWrap() ? WrappedHeight(metrics, text, box.width())
                                        : metrics.boundingRect(QRect(0, 0, kUnbounded, kUnbounded), 0, text).height();
    ExpectFits(where, text, {WidestUnbreakable(metrics, text, label.wordWrap()), height}, box.size());
}

// The memo's text area: inside its frame, beside its scroll bars, within the document margin.
QSize MemoTextArea(const QPlainTextEdit& memo) {
    QSize area = memo.contentsRect().size();
    const int bar = memo.style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, &memo);
    if (memo.verticalScrollBarPolicy() == Qt::ScrollBarAlwaysOn) area.rwidth() -= bar;
    if (memo.horizontalScrollBarPolicy() == Qt::ScrollBarAlwaysOn) area.rheight() -= bar;
    const int margin = int(memo.document()->documentMargin());
    return area - QSize(2 * margin, 2 * margin);
}

void ExpectMemoFits(const QString& where, const QPlainTextEdit& memo) {
    const QString text = memo.toPlainText();
    if (text.isEmpty()) return;
    const QFontMetrics metrics(memo.font());
    const QSize area = MemoTextArea(memo);
    const bool wraps = memo.lineWrapMode() != QPlainTextEdit::NoWrap;
    const int height =
        wraps ? WrappedHeight(metrics, text, area.width()) : int(text.split(u'\n').size()) * metrics.lineSpacing();
    ExpectFits(where, text, {WidestUnbreakable(metrics, text, wraps), height}, area);
}

void ExpectButtonFits(const QString& where, const QAbstractButton& button) {
    const QString text = ui::StripAccelChars(button.text());
    if (qobject_cast<const QPushButton*>(&button)) {
        // The text and the button's bevel on both sides.
        const QFontMetrics metrics(button.font());
        const int bevel = 2 * button.style()->pixelMetric(QStyle::PM_ButtonMargin, nullptr, &button);
        ExpectFits(where, text, {metrics.horizontalAdvance(text) + bevel, metrics.height()}, button.size());
        return;
    }
    // A check box or radio button: its indicator, the gap and the text side by side, as the style lays them out.
    const QFontMetrics metrics(button.font());
    const int indicator = button.style()->pixelMetric(QStyle::PM_IndicatorHeight, nullptr, &button);
    ExpectFits(where, text, {button.sizeHint().width(), std::max(metrics.height(), indicator)}, button.size());
}

void ExpectGroupTitleFits(const QString& where, const QGroupBox& group) {
    const QFontMetrics metrics(group.font());
    const QString text = ui::StripAccelChars(group.title());
    ExpectFits(where, text, {metrics.horizontalAdvance(text) + 16, metrics.height()}, group.size());
}

// Under TAVORIN_UI_SHOTS=<folder> each checked window is saved there as a picture to look at.
void SaveShotWhenAsked(const QWidget& window) {
    const QString folder = qEnvironmentVariable("TAVORIN_UI_SHOTS");
    if (folder.isEmpty()) return;
    static int count = 0;
    const QString name = QStringLiteral("%1/%2-%3-%4pt.png")
                             .arg(folder)
                             .arg(++count, 2, 10, QLatin1Char('0'))
                             .arg(window.objectName())
                             .arg(QApplication::font().pointSize());
    EXPECT_TRUE(const_cast<QWidget&>(window).grab().save(name)) << name.toStdString();
}

}  // namespace

void ExpectTextsWhole(const QWidget& window) {
    SaveShotWhenAsked(window);
    QList<QWidget*> controls;
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        // Only the program's controls: a memo's viewport and scroll bars are checked with the memo.
        if (!dynamic_cast<TControl*>(widget) || !widget->isVisibleTo(&window)) continue;
        const QString where = window.objectName() + u'.' + widget->objectName();
        if (QWidget* parent = widget->parentWidget()) {
            EXPECT_TRUE(parent->rect().contains(widget->geometry()))
                << where.toStdString() << " reaches outside its parent " << parent->objectName().toStdString();
        }
        for (QWidget* sibling : controls) {
            // A control's own unnamed parts (a spin edit's two buttons) are laid out by the control.
            if (widget->objectName().isEmpty() && sibling->objectName().isEmpty()) continue;
            if (sibling->parentWidget() == widget->parentWidget() && sibling->geometry().intersects(widget->geometry()))
                ADD_FAILURE() << where.toStdString() << " overlaps " << sibling->objectName().toStdString();
        }
        controls << widget;
        if (auto* label = qobject_cast<QLabel*>(widget)) ExpectLabelFits(where, *label);
        else if (auto* memo = qobject_cast<QPlainTextEdit*>(widget)) ExpectMemoFits(where, *memo);
        else if (auto* button = qobject_cast<QAbstractButton*>(widget)) ExpectButtonFits(where, *button);
        else if (auto* group = qobject_cast<QGroupBox*>(widget)) ExpectGroupTitleFits(where, *group);
    }
}

void AtEachTestFont(const std::function<void()>& check) {
    struct RestoreFont {
        QFont pinned = QApplication::font();
        ~RestoreFont() { QApplication::setFont(pinned); }
    } restore;
    {
        SCOPED_TRACE("at the pinned test font");
        check();
    }
    QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 11));
    {
        SCOPED_TRACE("at DejaVu Sans 11 pt");
        check();
    }
}

}  // namespace testing_env
