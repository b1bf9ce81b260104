#include "app/output/pdf_join.h"

#include <qpdf/Pipeline.hh>
#include <qpdf/QPDF.hh>
#include <qpdf/QPDFPageDocumentHelper.hh>
#include <qpdf/QPDFWriter.hh>

#include <exception>
#include <memory>
#include <string>
#include <vector>

namespace {

// qpdf writes a token at a time; the file gets them a megabyte at a time. What stops the file's
// writing is kept for after qpdf's: qpdf also writes while it unwinds, where a throw would end
// the program.
class SinkPipeline : public Pipeline {
 public:
  explicit SinkPipeline(const ByteSink& write) : Pipeline("report", nullptr), write_(write) {}
  void write(unsigned char const* data, size_t size) override {
    held_.append(reinterpret_cast<const char*>(data), size);
    if (held_.size() >= kHeld) pass();
  }
  void finish() override { pass(); }
  // Throws what stopped the file's writing.
  void check() const {
    if (failure_) std::rethrow_exception(failure_);
  }

 private:
  void pass() {
    if (!failure_) try {
        write_(held_.data(), held_.size());
      } catch (...) {
        failure_ = std::current_exception();
      }
    held_.clear();
  }

  static constexpr std::size_t kHeld = 1 << 20;
  const ByteSink& write_;
  std::string held_;
  std::exception_ptr failure_;
};

// The page's own content wrapped in a saved graphics state, so that the overlay starts from the
// page's initial one, whatever state the page's content leaves.
void drawOver(QPDF& document, QPDFPageObjectHelper& page, const QByteArray& overlay) {
  page.addPageContents(QPDFObjectHandle::newStream(&document, "q\n"), true);
  page.addPageContents(QPDFObjectHandle::newStream(&document, "Q\n"), false);
  QPDFObjectHandle over = QPDFObjectHandle::newStream(&document);
  over.replaceStreamData(overlay.toStdString(), QPDFObjectHandle::newName("/FlateDecode"), QPDFObjectHandle::newNull());
  page.addPageContents(over, false);
}

}  // namespace

void joinPdfs(const std::vector<PdfPart>& parts, const QDateTime& made, const ByteSink& write) {
  QPDF joined;
  joined.emptyPDF();
  QPDFPageDocumentHelper pages(joined);
  // The pages' objects are read from their documents as the joined one is written.
  std::vector<std::unique_ptr<QPDF>> documents;
  for (const PdfPart& part : parts) {
    QPDF& document = *documents.emplace_back(std::make_unique<QPDF>());
    document.processMemoryFile("report", part.document.constData(), static_cast<size_t>(part.document.size()));
    std::vector<QPDFPageObjectHelper> own = QPDFPageDocumentHelper(document).getAllPages();
    for (std::size_t i = 0; i < own.size(); ++i) {
      if (i < part.overlays.size()) drawOver(document, own[i], part.overlays[i]);
      pages.addPage(own[i], false);
    }
  }
  QPDFObjectHandle info = joined.copyForeignObject(documents.front()->getTrailer().getKey("/Info"));
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
  sink.finish();
  sink.check();
}
