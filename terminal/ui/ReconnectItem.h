#pragma once

class CReconnectPolicy;
class QAction;
class QMenu;

// Connection › Reconnect automatically: a check item that turns the policy on and off and is
// remembered; it starts as remembered (on by default).
QAction* AddReconnectItem(QMenu* menu, CReconnectPolicy& policy);
