#pragma once

#include "platform/records/workbook.h"

#include <QColor>
#include <QList>
#include <QObject>
#include <QPixmap>
#include <QPointer>

#include <array>
#include <functional>

class QAbstractScrollArea;
class QAction;
class QMenu;

// The background of the program's grids (the standards grid and the to-do
// grid): no picture, with the entry editor's background colour, or one of
// the eight shipped pictures WP1.jpg-WP8.jpg drawn behind the cells. Owns the
// "&Grid Background Selector" menu; the user's choice is stored in
// GColor3.Fil record 2, and restore() applies the stored one without writing.
class GridBackground : public QObject
{
    Q_OBJECT
public:
    static constexpr int kChoiceCount = 9; // "&None" and 1-8

    // The workbook's content folder holds the pictures; the workbook the
    // settings file.
    explicit GridBackground(const Workbook &workbook, QObject *parent = nullptr);
    ~GridBackground() override;

    // The submenu for the Options menu; its nine entries are checkable and
    // exactly one carries the check mark.
    QMenu *menu() const { return menu_; }
    QAction *entry(int choice) const;

    // The grid's viewport takes the current background from now on.
    void addGrid(QAbstractScrollArea *grid);
    // The entry editor's background colour, used when there is no picture.
    void setEditorBackground(const QColor &colour);
    QColor editorBackground() const { return editorBackground_; }
    // Tells whether the print preview panel is showing; while it is, a choice
    // only beeps.
    void setPrintPreviewShown(std::function<bool()> shown) { printPreviewShown_ = std::move(shown); }
    // The sound of a refused choice; QApplication::beep by default.
    void setBeep(std::function<void()> beep) { beep_ = std::move(beep); }

    // At the Action Area's opening: applies the stored choice, writes nothing.
    void restore();
    // The user's choice n (0 none, 1-8 a picture).
    void chooseGridBackground(int choice);

    int current() const { return current_; }
    // Whether a picture is drawn behind the grids (false when the chosen
    // picture could not be loaded).
    bool hasPicture() const { return !picture_.isNull(); }
    static QString pictureFileName(int choice);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void apply(int choice);
    void checkEntry(int choice);
    void paint(QAbstractScrollArea *grid) const;
    bool printPreviewShown() const { return printPreviewShown_ && printPreviewShown_(); }

    QString contentFolder_;
    Workbook workbook_;
    QMenu *menu_ = nullptr;
    std::array<QAction *, kChoiceCount> entries_{};
    QList<QPointer<QAbstractScrollArea>> grids_;
    QColor editorBackground_ = Qt::white;
    QPixmap picture_;
    int current_ = 0;
    bool restoring_ = false;
    std::function<bool()> printPreviewShown_;
    std::function<void()> beep_;
};
