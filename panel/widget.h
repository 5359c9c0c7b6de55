#pragma once

#include "sceneoptions.h"
#include "sceneparams.h"

#include <QList>
#include <QMap>
#include <QSize>
#include <QString>
#include <QWidget>

#include <memory>

class aboutWidget;
class PanelEventFilter;
class ViewCheckLines;
class PlanController;
class PoleList;
class QCloseEvent;
class QMoveEvent;

namespace Ui
{
class Widget;
}

// The planning panel, the program's one content window: title bar, results
// header, the scene and the column of parameter controls. Every control change
// ends in updateScene, which hands the scene a fresh record; the scene reports
// back through its signals and the panel shows the numbers. Its looks are in
// PanelStyle, its edge dragging, cursors and wheel in PanelEventFilter, its
// report in PanelReport and ReportDialog. The plan of the site, whose
// current pole the controls show, is kept by PlanController with the pole
// list above the parameter column.
class Widget : public QWidget
{
    Q_OBJECT

public:
    explicit Widget(QWidget *parent = nullptr);
    ~Widget() override;

    // Applies a screen scale factor to the panel and every kit control in it.
    void SetScale(qreal scale);

    // The record last handed to the scene.
    const SceneParams &sceneParams() const { return m_sceneParams; }
    // How the scene draws, for pictures of the plan made elsewhere.
    SceneOptions sceneOptions() const;
    // Sets the controls to the record through their own signals and rules.
    void loadRecord(const SceneParams &record);

    PlanController *plan() const { return m_plan; }
    // Asks about unsaved changes; false when the window must stay open.
    bool mayClose();

    // Writes the report of what the panel shows to fileName, or of the
    // whole site, as a spreadsheet for the suffix "xlsx" and as PDF pages
    // for "pdf" (in any letter case), and tells the user how it went. A
    // name without a suffix takes defaultSuffix; any other suffix writes
    // nothing and says which work.
    void exportReport(const QString &fileName, const QString &defaultSuffix = QString(),
                      bool wholeSite = false);

signals:
    // The controls hold a new record, after every change of a control.
    void recordChanged();

public slots:
    void on_m_btnExport_clicked();
    void on_m_comboModel_currentIndexChanged(QString arg1);
    void updateScene();
    void initScene();
    void updateRangeValue(qreal L1, qreal W1, qreal L2, qreal W2, qreal L3, qreal W3, qreal L4,
                          qreal W4);
    void showError(QString error);
    void showSuggestions();

protected:
    void moveEvent(QMoveEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void connectControls();
    void connectRules();
    void showAbout();
    void blankUnreportedResults();
    void showExportResult(bool ok, const QString &text);

    Ui::Widget *ui;
    std::unique_ptr<PanelEventFilter> m_events;
    bool m_resultPopupOpen = false;
    qreal m_scale = 0.0;
    QSize m_baseMinSize;
    int m_baseScrollMinWidth = 0;
    // What the scene has sent since the end of its last repaint.
    bool m_rangeReported = false;
    bool m_pixelsReported = false;
    // The scene's error text of its last repaint when it came with a result.
    QString m_planWarning;
    SceneParams m_sceneParams;
    aboutWidget *m_aboutWidget = nullptr;
    ViewCheckLines *m_viewChecks = nullptr;
    PoleList *m_poles = nullptr;
    PlanController *m_plan = nullptr;
    QMap<QString, QList<qreal>> m_sensorSizeMap;
};
