#pragma once

#include "lxclientbasewidget.h"

#include <QStringList>

class LxClientBaseLabel;
class LxClientToolButton;
class QBoxLayout;
class QListWidget;

// The poles of the site above the parameter column: their names in a list
// to pick from, and buttons to add a pole (a copy of the current one),
// rename it, remove it and name the site. It shows what it is given and
// reports what the user asks; the plan decides.
class PoleList : public LxClientBaseWidget
{
    Q_OBJECT

public:
    explicit PoleList(QWidget *parent = nullptr);

    // Takes column's place in row and stands above it there.
    void placeAbove(QBoxLayout *row, QWidget *column);

    // Shows the names with current chosen, without reporting a choice. The
    // last pole cannot be removed.
    void setPoles(const QStringList &names, int current);
    int current() const;

    void SetScale(qreal scale) override;

signals:
    void poleChosen(int index);
    void addRequested();
    void renameRequested();
    void removeRequested();
    void siteRequested();

private:
    LxClientToolButton *addButton(int tip, const char *icon, void (PoleList::*signal)());

    LxClientBaseLabel *m_caption = nullptr;
    QListWidget *m_list = nullptr;
    LxClientToolButton *m_remove = nullptr;
    bool m_filling = false;
};
