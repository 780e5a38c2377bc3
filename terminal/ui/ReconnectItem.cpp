#include "ReconnectItem.h"

#include "ControlId.h"
#include "ReconnectPolicy.h"
#include "TerminalSettings.h"

#include <QAction>
#include <QMenu>

namespace {

constexpr int kReconnectItemId = 33001;

} // namespace

QAction* AddReconnectItem(QMenu* menu, CReconnectPolicy& policy)
{
    QAction* item = WithControlId(menu->addAction("Reconnect automatically"), kReconnectItemId);
    item->setCheckable(true);
    item->setChecked(CTerminalSettings().Reconnect());
    policy.SetEnabled(item->isChecked());
    QObject::connect(item, &QAction::toggled, &policy, [&policy](bool on) {
        policy.SetEnabled(on);
        CTerminalSettings().SetReconnect(on);
    });
    return item;
}
