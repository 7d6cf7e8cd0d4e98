#pragma once

#include "graph/graphscale.h"
#include "graph/graphstate.h"
#include "graph/plotframe.h"
#include "graph/zoom.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <functional>

class QTableWidget;

namespace zt {

class DialogService;
class PlotPicture;

// What the graph reads and writes outside itself.
struct GraphSource
{
    const LogSet *set = nullptr;
    const DisplayChannels *channels = nullptr;
    GraphSeries series;
    AppSettings *settings = nullptr;
    // Writes zt2000.dat; 0 or the error number.
    std::function<int()> saveSettings;
};

// `GRAPH`: the recorded data of up to four transmitters as a line graph with its
// information grid. The main window stays disabled while it is open.
class GraphWindow : public QMainWindow
{
    Q_OBJECT
public:
    GraphWindow(GraphSource source, DialogService &dialogs, QWidget *mainWindow, QSize windowSize);
    ~GraphWindow() override;

    // The graph state that outlives the window.
    static GraphState &state();

    QAction *action(const QString &name) const { return actions.value(name); }
    PlotPicture *picture() const { return gImage; }
    QTableWidget *grid() const { return gpgrid; }
    const PlotFrame &frame() const { return plotFrame; }
    const GraphScale &scale() const { return graphScale; }
    GraphSource &source() { return src; }

    // Full redraw: frame, axes, lines; the grid too when asked.
    void redraw(bool withGrid);
    void setLabelsOn(bool on);
    void setLineWidth(int width);
    void toggleSeries(int slot);
    void changeColourOf(int slot);
    void returnToAutoRange();
    void openReferenceLines();
    void openRange();

signals:
    void printRequested();
    void pageSetupRequested();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildMenus();
    void buildToolbar();
    void buildGrid();
    void layoutPanes();
    void fillGrid();
    void showReadout(QPointF at);
    void onPress(QPointF at);
    void onDrag(QPointF at);
    void onRelease(QPointF at);
    void onGridClick(int row, int column, Qt::MouseButton button);
    QAction *addAction(QMenu *menu, const QString &name, const QString &caption);

    GraphSource src;
    DialogService &dialogs;
    QPointer<QWidget> mainWindow;
    QFont baseFont;
    PlotPicture *gImage;
    QTableWidget *gpgrid;
    GraphScale graphScale;
    PlotFrame plotFrame;
    QHash<QString, QAction *> actions;
    std::optional<ClampedPoint> anchor;
};

} // namespace zt
