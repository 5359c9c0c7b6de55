#pragma once

#include "sceneparams.h"
#include "settingsearch.h"

#include <QDialog>
#include <QVector>

class QCheckBox;
class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QSpinBox;
class QVBoxLayout;

// Asks what the plan should give, a band (scenarios 1 and 2) or pixel
// counts at the capture point (scenario 3), searches the focal lengths and
// pitches for it with every other field of the record kept, and lists up to
// three settings with what each gives, or says why none does and what comes
// closest. Clicking a listed setting reports it and closes the window.
class SuggestDialog final : public QDialog
{
    Q_OBJECT

public:
    // `current` fills the band wish with what the plan gives now.
    SuggestDialog(const SceneParams &record, const SceneResult &current, qreal scale,
                  QWidget *parent);

    // Searches for the wish in the fields and lists the answer.
    void search();

signals:
    void chosen(double focalLength, int pitch);

private:
    SolveWish wish() const;
    void addWishField(const QString &caption, QWidget *field, QCheckBox *wanted = nullptr);
    void list(const SettingSearch &search, const SolveWish &wish);

    SceneParams m_record;
    QVBoxLayout *m_layout;
    QDoubleSpinBox *m_near = nullptr;
    QDoubleSpinBox *m_far = nullptr;
    QCheckBox *m_plateWanted = nullptr;
    QCheckBox *m_faceWanted = nullptr;
    QSpinBox *m_plate = nullptr;
    QSpinBox *m_face = nullptr;
    QVector<QPushButton *> m_suggestions;
    QLabel *m_note;
};
