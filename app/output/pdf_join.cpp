#include "app/output/pdf_join.h"

#include <qpdf/Pipeline.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <memory>
#include <vector>

namespace {

class SinkPipeline : public Pipeline {
 public:
  explicit SinkPipeline(const ByteSink& write) : Pipeline("report", nullptr), write_(write) {}
  void write(unsigned char const* data, size_t size) override { write_(reinterpret_cast<const char*>(data), size); }
  void finish() override {}

 private:
  const ByteSink& write_;
};

}  // namespace

void joinPdfs(const std::vector<QByteArray>& documents, const QDateTime& made, const ByteSink& write) {
  QPDF joined;
  joined.emptyPDF();
  QPDFPageDocumentHelper pages(joined);
  // The pages' objects are read from their documents as the joined one is written.
  std::vector<std::unique_ptr<QPDF>> parts;
  for (const QByteArray& document : documents) {
    QPDF& part = *parts.emplace_back(std::make_unique<QPDF>());
    part.processMemoryFile("report", document.constData(), static_cast<size_t>(document.size()));
    for (QPDFPageObjectHelper& page : QPDFPageDocumentHelper(part).getAllPages()) pages.addPage(page, false);
  }
  QPDFObjectHandle info = joined.copyForeignObject(parts.front()->getTrailer().getKey("/Info"));
  info.replaceKey("/CreationDate",
                  QPDFObjectHandle::newString("D:" + made.toUTC().toString(QStringLiteral("yyyyMMddHHmmss")).toStdString() + "Z"));
  joined.getTrailer().replaceKey("/Info", info);
  QPDFWriter writer(joined);
  SinkPipeline sink(write);
  writer.setOutputPipeline(&sink);
  writer.setDeterministicID(true);
  writer.setCompressStreams(false);
  writer.setDecodeLevel(qpdf_dl_none);
  writer.write();
}
