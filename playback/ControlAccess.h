#pragma once
// Null-safe setters for the main window's controls: a missing control is
// skipped, as every playback step skips a control the window does not have.
#include "platform/ILamp.h"
#include "platform/ILinearGauge.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QWidget>

namespace Controls {

inline void enable(QWidget* w, bool on) { if (w) w->setEnabled(on); }
inline void enable(QAction* a, bool on) { if (a) a->setEnabled(on); }
inline void enable(QMenu* m, bool on) { if (m) m->menuAction()->setEnabled(on); }
inline void show(QWidget* w, bool on) { if (w) w->setVisible(on); }
inline void show(ILamp* lamp, bool on) { if (lamp) lamp->SetVisible(on); }
inline void showMenu(QMenu* m, bool on) { if (m) m->menuAction()->setVisible(on); }
inline void lampOff(ILamp* lamp) { if (lamp) lamp->SetActive(false); }
inline void clear(QLineEdit* e) { if (e) e->clear(); }
inline void clear(QPlainTextEdit* e) { if (e) e->clear(); }
inline void tick(QCheckBox* box, bool on) { if (box) box->setChecked(on); }
inline bool ticked(const QCheckBox* box) { return box && box->isChecked(); }
inline void positionGauge(ILinearGauge* g, double v)
{
    if (!g)
        return;
    g->BeginUpdate();
    g->SetPosition(v);
    g->EndUpdate();
}

} // namespace Controls
