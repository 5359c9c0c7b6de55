#include "suggestdialog.h"

#include "languagetable.h"
#include "suggestiontexts.h"
#include "textid.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpacerItem>
#include <QSpinBox>

#include <cmath>

namespace
{

// Far enough for any pole a plan is made for; the search says when a band
// cannot reach it.
constexpr double farthestWish = 1000.0;
constexpr int mostPixels = 5000;
// Common wishes for reading a plate and recognising a face.
constexpr int platePixels = 150;
constexpr int facePixels = 80;

double wishFrom(double metres, double fallback)
{
    return std::isfinite(metres) && metres > 0 && metres < farthestWish
               ? std::round(metres * 100) / 100
               : fallback;
}

} // namespace

SuggestDialog::SuggestDialog(const SceneParams &record, const SceneResult &current, qreal scale,
                             QWidget *parent)
    : QDialog(parent), m_record(record), m_layout(new QVBoxLayout(this)), m_note(new QLabel)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("m_suggestDialog"));
    setWindowTitle(languageText(TextId::SuggestTitle));
    QFont looks = font();
    looks.setPixelSize(qRound(14 * (scale > 0 ? scale : 1.0)));
    setFont(looks);
    m_layout->setSizeConstraint(QLayout::SetFixedSize);
    // Room for the title in the window frame and for a suggestion's line.
    m_layout->addSpacerItem(
        new QSpacerItem(looks.pixelSize() * 30, 0, QSizePolicy::Fixed, QSizePolicy::Minimum));

    if (record.scenario == Scenario::Capture) {
        m_plate = new QSpinBox;
        m_face = new QSpinBox;
        m_plateWanted = new QCheckBox(languageText(TextId::SuggestWantPlate));
        m_faceWanted = new QCheckBox(languageText(TextId::SuggestWantFace));
        for (QSpinBox *field : {m_plate, m_face})
            field->setRange(1, mostPixels);
        m_plate->setValue(platePixels);
        m_face->setValue(facePixels);
        m_plateWanted->setChecked(true);
        m_plate->setObjectName(QStringLiteral("m_spinWantPlate"));
        m_face->setObjectName(QStringLiteral("m_spinWantFace"));
        m_plateWanted->setObjectName(QStringLiteral("m_checkWantPlate"));
        m_faceWanted->setObjectName(QStringLiteral("m_checkWantFace"));
        addWishField(QString(), m_plate, m_plateWanted);
        addWishField(QString(), m_face, m_faceWanted);
    } else {
        m_near = new QDoubleSpinBox;
        m_far = new QDoubleSpinBox;
        for (QDoubleSpinBox *field : {m_near, m_far}) {
            field->setRange(0, farthestWish);
            field->setDecimals(2);
        }
        const bool band = current.rangeEmitted && current.L3 > current.L2;
        m_near->setValue(band ? wishFrom(current.L2, 5) : 5);
        // A far end beyond the field's reach starts at its farthest.
        m_far->setValue(band ? wishFrom(current.L3, farthestWish) : 20);
        m_near->setObjectName(QStringLiteral("m_spinWantNear"));
        m_far->setObjectName(QStringLiteral("m_spinWantFar"));
        addWishField(languageText(TextId::SuggestWantNear), m_near);
        addWishField(languageText(TextId::SuggestWantFar), m_far);
    }

    auto *searchButton = new QPushButton(languageText(TextId::SuggestSearch));
    searchButton->setObjectName(QStringLiteral("m_btnSearch"));
    searchButton->setDefault(true);
    connect(searchButton, &QPushButton::clicked, this, &SuggestDialog::search);
    m_layout->addWidget(searchButton, 0, Qt::AlignLeft);

    for (int i = 0; i < SettingSearch::MostSuggestions; ++i) {
        auto *button = new QPushButton;
        button->setObjectName(QStringLiteral("m_btnSuggestion%1").arg(i + 1));
        button->setStyleSheet(QStringLiteral("text-align: left; padding: 4px 8px;"));
        button->hide();
        m_layout->addWidget(button);
        m_suggestions.append(button);
    }
    m_note->setObjectName(QStringLiteral("m_labSuggestNote"));
    m_note->setWordWrap(true);
    m_note->hide();
    m_layout->addWidget(m_note);

    auto *closeButton = new QPushButton(languageText(TextId::SuggestClose));
    connect(closeButton, &QPushButton::clicked, this, &QDialog::reject);
    m_layout->addWidget(closeButton, 0, Qt::AlignRight);
}

void SuggestDialog::addWishField(const QString &caption, QWidget *field, QCheckBox *wanted)
{
    auto *row = new QHBoxLayout;
    if (wanted)
        row->addWidget(wanted);
    else
        row->addWidget(new QLabel(caption));
    row->addStretch();
    row->addWidget(field);
    m_layout->addLayout(row);
}

SolveWish SuggestDialog::wish() const
{
    SolveWish wish;
    if (m_near) {
        wish.wantNear = m_near->value();
        wish.wantFar = m_far->value();
        return wish;
    }
    if (m_plateWanted->isChecked())
        wish.wantPlatePixels = m_plate->value();
    if (m_faceWanted->isChecked())
        wish.wantFacePixels = m_face->value();
    return wish;
}

void SuggestDialog::search()
{
    const SolveWish wanted = wish();
    const SearchFailure problem = wanted.problem(m_record);
    if (problem.failed()) {
        for (QPushButton *button : qAsConst(m_suggestions))
            button->hide();
        m_note->setText(SuggestionTexts::failure(problem, m_record, wanted));
        m_note->show();
        return;
    }
    list(SettingSearch(m_record, wanted), wanted);
}

void SuggestDialog::list(const SettingSearch &search, const SolveWish &wish)
{
    const QVector<SettingSearch::Suggestion> &found = search.suggestions();
    for (int i = 0; i < m_suggestions.size(); ++i) {
        QPushButton *button = m_suggestions.at(i);
        button->disconnect();
        button->setVisible(i < found.size());
        if (i >= found.size())
            continue;
        const SceneParams &params = found.at(i).params;
        button->setText(SuggestionTexts::suggestion(params, found.at(i).result, wish));
        connect(button, &QPushButton::clicked, this, [this, params] {
            emit chosen(params.focalLength, params.pitchAngle);
            accept();
        });
    }
    m_note->setText(found.isEmpty() ? SuggestionTexts::failure(search.failure(), m_record, wish)
                                    : languageText(TextId::SuggestChoose));
    m_note->show();
}
