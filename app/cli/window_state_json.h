#pragma once

#include <QJsonArray>
#include <QJsonObject>

class TForm1;

// What the window shows, and the shared state behind it, as one JSON object; errors are the
// failures recorded on the way.
QJsonObject windowStateJson(const TForm1& form, const QJsonArray& errors);

// The state as compact JSON text. A value of −0 (a "-0" field) is written "-0.0", as the CSV keeps
// its sign: Qt's writer would make it 0.
QByteArray windowStateText(const QJsonObject& state);
