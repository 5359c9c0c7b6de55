#include "sitereport.h"

#include "languagetable.h"
#include "listtexts.h"
#include "recordreport.h"
#include "reportcontent.h"
#include "scenecalculation.h"
#include "scenepicture.h"
#include "textid.h"

#include <QRegularExpression>

namespace
{

// A caption without the colon that leads to its value, as a column header.
QString header(int textId)
{
    static const QRegularExpression colon(QStringLiteral("\\s*[:：]\\s*$"));
    return languageText(textId).remove(colon);
}

QString bandOrPixels(const ReportContent &report)
{
    if (report.scenario != Scenario::Capture)
        return report.detectionRange.text();
    const struct {
        int caption;
        const ReportItem &item;
    } counts[] = {{TextId::FigurePlate, report.platePixels},
                  {TextId::FigureVehicle, report.vehiclePixels},
                  {TextId::FigureTarget, report.facePixels},
                  {TextId::FigurePerson, report.personPixels}};
    QStringList lines;
    for (const auto &count : counts)
        lines << languageText(count.caption) + QLatin1Char(' ') + count.item.text();
    return lines.join(QLatin1Char('\n'));
}

} // namespace

QString SiteReport::poleName(const Plan &plan, int index)
{
    const QString name = plan.poles.value(index).name;
    return name.isEmpty() ? languageText(TextId::NewPoleName).arg(index + 1) : name;
}

QString SiteReport::siteName(const Plan &plan)
{
    return plan.siteName.isEmpty() ? languageText(TextId::UntitledSite) : plan.siteName;
}

SiteReportContent SiteReport::content(const Plan &plan, const QSize &pictureSize, qreal scale,
                                      const SceneOptions &options)
{
    SiteReportContent site;
    site.title = languageText(TextId::SiteReportTitle);
    site.siteName = siteName(plan);
    site.siteNote = plan.siteNote;
    site.summaryName = languageText(TextId::SummarySheet);
    site.columns = QStringList{languageText(TextId::SummaryPole), header(TextId::ScenarioCaption),
                               header(TextId::NearEdgeDistance), languageText(TextId::SummaryBand),
                               languageText(TextId::SummaryWarning)};
    for (int i = 0; i < plan.poles.size(); ++i) {
        const SceneParams &record = plan.poles.at(i).record;
        const QImage picture = ScenePicture::of(record, pictureSize, scale, options);
        ReportContent report = RecordReport::content(record, computeScene(record), picture);
        const QString name = poleName(plan, i);
        report.title += languageText(TextId::Separator) + QLatin1Char(' ') + name;
        site.rows << QStringList{name, ListTexts::scenarioText(record.scenario),
                                 report.nearEdge.text(), bandOrPixels(report), report.warning};
        site.poleNames << name;
        site.poles << report;
    }
    return site;
}

ReportExport::Outcome SiteReport::write(const Plan &plan, const QString &fileName,
                                        const QSize &pictureSize, qreal scale, QString *reason,
                                        const SceneOptions &options)
{
    return ReportExport::write(content(plan, pictureSize, scale, options), fileName, reason);
}
