#pragma once

#include "plan.h"
#include "reportexport.h"
#include "sceneoptions.h"

#include <QSize>

struct SiteReportContent;

// The report of a whole site, for the window and fenwarde-calc alike: a
// summary that lists every pole with its scenario, L1, its band or the
// pixels at its capture point and any warning, then each pole's report as
// RecordReport makes it, with the scene drawn at a fixed size. Texts come
// from the loaded language.
class SiteReport final
{
public:
    // The scene picture of each pole's page unless asked otherwise.
    static QSize defaultPictureSize() { return QSize(1000, 600); }

    static SiteReportContent content(const Plan &plan, const QSize &pictureSize, qreal scale,
                                     const SceneOptions &options = SceneOptions());

    // The suffix of fileName chooses the format, as for a single report.
    static ReportExport::Outcome write(const Plan &plan, const QString &fileName,
                                       const QSize &pictureSize, qreal scale, QString *reason,
                                       const SceneOptions &options = SceneOptions());

    // What the window and the reports call a pole or a site without a name.
    static QString poleName(const Plan &plan, int index);
    static QString siteName(const Plan &plan);
};
