#include "app/UplinkParts.h"

#include "config/ConfigValues.h"
#include "config/ConfigurationLoader.h"
#include "config/RdWrConfig.h"
#include "config/UplinkSetup.h"
#include "platform/IMqttClient.h"
#include "uplink/UplinkPublisher.h"

#include <QAction>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QStatusBar>

UplinkParts::UplinkParts(const Parts& parts)
    : QObject(&parts.window), store_(parts.store), config_(parts.config), client_(parts.makeClient()),
      testClient_(parts.makeClient())
{
    publisher_ = std::make_unique<UplinkPublisher>(*client_, parts.clock, parts.homeDirectory);
    setup_ = std::make_unique<UplinkSetup>(UplinkSetup::Parts{parts.store, parts.config.ConfigFileName, parts.runner,
                                                              parts.messageBox, parts.fileDialog, *testClient_},
                                           &parts.window);

    label_ = new QLabel(parts.window.statusBar());
    label_->setObjectName(QStringLiteral("uplinkState"));
    label_->setAccessibleName(QStringLiteral("Plant uplink state"));
    // Takes the status bar's free width, so its place does not move with its text.
    parts.window.statusBar()->addWidget(label_, 1);
    show(publisher_->state());

    if (parts.setupMenu) {
        QAction* item = parts.setupMenu->addAction(QStringLiteral("Plant uplink"));
        item->setObjectName(QStringLiteral("MenueSetupUplink"));
        connect(item, &QAction::triggered, setup_.get(), &UplinkSetup::MenueSetupUplink_Click);
    }
    connect(setup_.get(), &UplinkSetup::settingsChanged, this, &UplinkParts::reconfigure);
    connect(&parts.loader, &ConfigurationLoader::startEnabled, this, &UplinkParts::reconfigure);
    connect(publisher_.get(), &UplinkPublisher::stateChanged, this, &UplinkParts::show);
}

// The publisher says goodbye before its client goes.
UplinkParts::~UplinkParts() = default;

void UplinkParts::reconfigure()
{
    publisher_->configure(UplinkSettings::read(store_, config_.ConfigFileName), config_.LOGDIR, config_.INSTALLATION);
}

void UplinkParts::show(const UplinkState& state)
{
    const QString text = QStringLiteral("Plant uplink: ") + state.text();
    label_->setText(text);
    label_->setToolTip(text);
}
