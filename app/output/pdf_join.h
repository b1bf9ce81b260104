#pragma once

#include "app/output/atomic_file.h"

#include <QByteArray>
#include <QDateTime>

#include <vector>

// PDF documents made apart, joined into one: their pages in order, each stream as it was
// compressed, the first document's title and creator, `made` as its date, and an identifier
// worked out of the content. The same documents and date give the same bytes.
void joinPdfs(const std::vector<QByteArray>& documents, const QDateTime& made, const ByteSink& write);
