#pragma once

#include <QJsonArray>
#include <QJsonObject>

class TForm1;

// What the window shows, and the shared state behind it, as one JSON object; errors are the
// failures recorded on the way.
QJsonObject windowStateJson(const TForm1& form, const QJsonArray& errors);
