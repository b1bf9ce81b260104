#pragma once

#include <QByteArray>
#include <QList>

class QMimeData;

// The local files of a drop, by their names' bytes, in the order they were dropped.
QList<QByteArray> droppedFiles(const QMimeData* data);
