#pragma once
// The main window's named controls, as the logic parts see them. The main
// window creates the widgets and fills this record; display, playback and
// measurement logic work on it and never create controls themselves.
// Arrays are indexed as the controls are numbered: CheckShow[1..6],
// CheckChartDisplay[1..5], OptionDisplayGauge[1..5], OptionScaleGauge[1..4],
// OptionScaleX[1..3], OptionScaleChart[1..3] (element 0 unused), and
// TextGauge, Label3, Lbl_sname, gauges and per-sensor lamps [0..5].
// A null pointer is a control that is missing; every user skips it.

class IStripChart;
class ILinearGauge;
class ILamp;
class ITimer;
class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QWidget;

struct MainControls {
    QWidget* window = nullptr; // FrmMain itself (captions)

    // Chart, gauges, readouts.
    IStripChart* iStripChartX1 = nullptr;
    ILinearGauge* iLinearGaugeX1[6] = {};
    QLineEdit* TextGauge[6] = {};
    QLabel* gaugeUnit[6] = {}; // the unit of the shown value, beside TextGauge
    QLabel* Label3[6] = {};    // caption under each gauge
    QLabel* Lbl_sname[6] = {}; // sensor names

    // Chart and gauge choices.
    QCheckBox* CheckShow[7] = {};
    QCheckBox* CheckChartDisplay[6] = {};
    QRadioButton* OptionDisplayGauge[6] = {};
    QRadioButton* OptionScaleGauge[5] = {};
    QRadioButton* OptionScaleX[4] = {};
    QRadioButton* OptionScaleChart[4] = {};
    QPushButton* CmdShowNone = nullptr;
    QPushButton* cmd_zoom_xy = nullptr;
    QPushButton* cmd_ext = nullptr;

    // Frames.
    QGroupBox* Frame1 = nullptr;        // "XY graph"
    QGroupBox* Frame3 = nullptr;        // "Sensor Gauges"
    QGroupBox* Frame_x = nullptr;       // "X-Axis scale"
    QGroupBox* Frame_relais = nullptr;  // "Relay Status"
    QGroupBox* Frame_evames = nullptr;  // "Datamessages from evaluator"
    QGroupBox* Frame_comerror = nullptr; // "Error Messages COM Port"

    // Lamps.
    ILamp* LED_RDY = nullptr;
    ILamp* LED_Alarm = nullptr;
    ILamp* LED_Prealarm = nullptr;
    ILamp* sled_rdy[6] = {};
    ILamp* oled_palm[6] = {};
    ILamp* oled_malm[6] = {};
    ILamp* tled_palm[6] = {};
    ILamp* tled_malm[6] = {};
    ILamp* iLedRectangleXl[6] = {}; // sensor colour lamps
    ILamp* iLedRectangleX1 = nullptr; // legend lamps
    ILamp* iLedRectangleX2 = nullptr;

    // Lamp labels hidden in file mode.
    QLabel* lbl_rdy[6] = {};
    QLabel* Lbl_opa[6] = {};
    QLabel* Lbl_temp[6] = {};
    QLabel* Label2 = nullptr; // "Sensor Ready"
    QLabel* Label4 = nullptr; // "Oil Quality"
    QLabel* Label5 = nullptr; // "Temperature"
    QLabel* Label6 = nullptr; // "Prealarm"
    QLabel* Label7 = nullptr; // "Mainalarm"
    QLabel* Lbl_mode = nullptr;

    // Text boxes.
    QPlainTextEdit* TextMessages = nullptr; // latest evaluator line
    QLineEdit* Txt_ComError = nullptr;      // serial port status
    QPlainTextEdit* Txt_event = nullptr;    // event list

    // Menus and menu items.
    QMenu* MenueFile = nullptr;
    QMenu* MenueSetup = nullptr;
    QMenu* MenueEva = nullptr;
    QAction* MenueFileLoad = nullptr;
    QAction* MenueFileUnload = nullptr;
    QAction* MenueFileStop = nullptr;
    QAction* MenueFileSwap = nullptr;
    QAction* MenuFilePrint = nullptr;
    QAction* MenueFileExit = nullptr;
    QAction* MenueStartStop = nullptr;

    // Timers.
    ITimer* TimerDisplay = nullptr;
    ITimer* Timer_timeout = nullptr;
};
