#include "app/output/pdf_join.h"

#include <qpdf/Buffer.hh>
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

// What a document's pages share: the operators that save and restore the graphics state around
// a page's own content, so that what is drawn over it starts from the page's initial state,
// whatever state the page's content leaves.
struct GraphicsState {
  QPDFObjectHandle save, restore;
};

void drawOver(QPDF& document, const GraphicsState& state, QPDFPageObjectHelper& page, const QByteArray& overlay) {
  page.addPageContents(state.save, true);
  page.addPageContents(state.restore, false);
  QPDFObjectHandle over = QPDFObjectHandle::newStream(&document);
  // Read where it is, while the joined document is written: megabytes of a large campaign's.
  auto bytes = std::make_shared<Buffer>(reinterpret_cast<unsigned char*>(const_cast<char*>(overlay.constData())),
                                        static_cast<size_t>(overlay.size()));
  over.replaceStreamData(bytes, QPDFObjectHandle::newName("/FlateDecode"), QPDFObjectHandle::newNull());
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
    const GraphicsState state{QPDFObjectHandle::newStream(&document, "q\n"), QPDFObjectHandle::newStream(&document, "Q\n")};
    for (std::size_t i = 0; i < own.size(); ++i) {
      if (i < part.overlays.size()) drawOver(document, state, own[i], part.overlays[i]);
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
  sink.check();
}
