// The way from the window to the campaign window and back.
#include "app/window/form1.h"

#include "app/campaign_window/campaign_window.h"
#include "app/widgets/interactive_chart.h"
#include "app/window/window_placement.h"

#include <QAction>
#include <QScreen>

// Made once and kept by the window, so that its shortcut works from the start; the charts'
// context menus show it beside the save actions.
void TForm1::createCampaignAction() {
  campaignAction_ = new QAction(QStringLiteral("Кампания…"), this);
  campaignAction_->setShortcut(QKeySequence(QStringLiteral("Ctrl+K")));
  campaignAction_->setToolTip(QStringLiteral("Сравнить сразу много пар полётов по списку\n"
                                             "и получить смещение по слоям и отчёт"));
  connect(campaignAction_, &QAction::triggered, this, [this] { showCampaignWindow(); });
  addAction(campaignAction_);
}

void TForm1::showCampaignWindow() {
  if (!campaignWindow_) {
    const auto openPair = [this](const CampaignPair& pair) {
      openFiles({QByteArray::fromStdString(pair.path(1)), QByteArray::fromStdString(pair.path(2))});
      // A pair is looked at as a whole: whatever the operator held of the last one goes.
      Chart1->giveBackToData();
      Chart2->giveBackToData();
      raise();
      activateWindow();
    };
    campaignWindow_ = new CampaignWindow({switchboard, [this] { return decimalSeparators(); }, openPair, settings_}, this);
    // Its designed size where the screen has room for it, otherwise what room there is.
    campaignWindow_->setGeometry(
        centredWithin(screen()->availableGeometry(), campaignWindow_->size(), campaignWindow_->minimumSizeHint()));
  }
  campaignWindow_->show();
  campaignWindow_->raise();
  campaignWindow_->activateWindow();
}
