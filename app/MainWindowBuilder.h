#pragma once
#include "app/DisplayWidgetFactory.h"
#include "app/MainWidgets.h"

class QMainWindow;

// Creates every named control of the main window with its object name,
// caption, accessible name and design-time state, and the menus. Places
// nothing; the layout does that.
class MainWindowBuilder {
public:
    MainWindowBuilder(QMainWindow& window, const DisplayWidgetFactory& factory);
    MainWidgets build();

private:
    void buildMenus(MainWidgets& w);
    void buildFileMenu(MainWidgets& w);
    void buildExportMenu(MainWidgets& w);
    void buildSetupMenu(MainWidgets& w);
    void buildChartPanel(MainWidgets& w);
    void buildChartValues(MainWidgets& w);
    void buildRelayPanel(MainWidgets& w);
    void buildAxisChoices(MainWidgets& w);
    void buildGaugePanel(MainWidgets& w);
    void buildSensorColumn(MainWidgets& w, int t);
    void buildLampPanel(MainWidgets& w, QWidget* parent);
    void buildSensorLamps(MainWidgets& w, QWidget* parent, int i);
    PlacedWidget<ILamp> namedLamp(QWidget* parent, const QString& objectName, const QString& accessibleName,
                                  LampShape shape) const;
    void buildBottomPanel(MainWidgets& w);
    void buildStatusBar(MainWidgets& w);

    QMainWindow& window_;
    const DisplayWidgetFactory& factory_;
};
