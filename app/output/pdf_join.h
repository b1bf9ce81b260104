#pragma once

#include "app/output/atomic_file.h"

#include <QByteArray>
#include <QDateTime>

#include <vector>

// A document made apart, and what is drawn over each of its first pages: a deflated content
// stream that expects the page's initial graphics state (page_strokes.h), or none.
struct PdfPart {
  QByteArray document;
  std::vector<QByteArray> overlays;
};

// Documents made apart, joined into one: their pages in order, each stream as it was
// compressed, the first document's title and creator, `made` as its date, and an identifier
// worked out of the content. The same documents and date give the same bytes.
void joinPdfs(const std::vector<PdfPart>& parts, const QDateTime& made, const ByteSink& write);
