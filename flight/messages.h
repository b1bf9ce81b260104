#pragma once

#include <string>
#include <string_view>
#include <vector>

// Every message the program tells the operator, by its id and its English form, %1, %2 for its
// variable parts. The English is what stderr, the JSON, the CSV tables and the report say; the
// window's translation looks the same form up, by id, and never parses a message back.
#define FLIGHTCOMPARE_MESSAGES(X)                                                                                     \
  X(FileDoesNotExist, "File does not exist.")                                                                         \
  X(FileLinePast, "File: %1, line %2 (past the last line)")                                                           \
  X(FileLine, "File: %1, line %2")                                                                                    \
  X(FileNamed, "File: %1")                                                                                            \
  X(TickSeparator, "The number would read with %1 ticked: tick %1 and open the file again.")                         \
  X(ReadError, "I/O error reading \"%1\": %2")                                                                        \
  X(FlightLineTooLong, "Line too long: a line of a flight file holds at most %1 MiB.")                               \
  X(UnrecognisedFile, "Unrecognised file: no header line of a known flight layout.")                                 \
  X(TooManyColumns, "Too many columns: a flight holds at most %1.")                                                  \
  X(TooManyRows, "Too many rows: a flight holds at most %1.")                                                        \
  X(RowFieldCount, "A row holds %1 fields where the table's header names %2.")                                      \
  X(NotEnoughMemory, "Not enough memory to read the file.")                                                           \
  X(FileChanged, "The file has changed since it was read: open it again.")                                          \
  X(CutOffFile, "The file is shorter than its header says: it was cut off.")                                         \
  X(NeedsTooMuchMemory, "The product needs more memory than a flight may take.")                                      \
  X(NeedsTooMuchTime, "The product needs more computing time than a flight may take.")                                \
  X(RefersToOtherFiles, "The product refers to data in other files, which are not read.")                            \
  X(SplitIntoFiles, "The product is split into several files, which are not read.")                                  \
  X(FilterMissing, "The product needs the compression filter %1, which is not installed.")                           \
  X(GroupsHoldThemselves, "The product's groups hold themselves: it is no sounding product.")                        \
  X(GroupsNestDeep, "The product's groups nest deeper than %1: it is no sounding product.")                          \
  X(TooManyObjects, "The product holds more than %1 objects: it is no sounding product.")                            \
  X(NotAFloatingPointValue, "'%1' is not a valid floating point value")                                              \
  X(NotAnIntegerValue, "'%1' is not a valid integer value")                                                           \
  X(NoRadiosondeSounding, "No radiosonde sounding: no message of the TEMP templates 309052 or 309057.")              \
  X(UnknownUnit, "Unknown unit \"%1\" of %2: the program converts only the units it knows.")                        \
  X(UnitNotText, "Unknown unit of %1: its attribute \"units\" holds %2 rather than one text.")                      \
  X(NoTimeVariable, "Not a sounding product: no variable \"time\" along its time dimension.")                       \
  X(NoTimeDimension, "Not a sounding product: no dimension \"time\".")                                               \
  X(CannotSetRules, "Cannot set the rules of the library's process: %1")                                             \
  X(LibraryStalled, "The %1 library made no progress reading the file for %2 s.")                                    \
  X(LibraryCrashed, "The %1 library crashed reading the file (%2).")                                                 \
  X(LibraryEnded, "The %1 library ended while reading the file.")                                                    \
  X(ReadCancelled, "The read was cancelled.")                                                                         \
  X(TooManyFiles, "Too many files: the window holds three flights, one file for each slot.")                        \
  X(PictureNotDrawn, "Cannot write \"%1\": the picture could not be drawn.")                                         \
  X(ReportNotDrawn, "Cannot write \"report.pdf\": the report could not be drawn.")                                   \
  X(ForeignLink, "Cannot write \"%1\": the link \"%2\" belongs to another user in a folder all may write to, and is " \
                 "not followed")                                                                                      \
  X(CannotWrite, "Cannot write \"%1\": %2")                                                                           \
  X(LeftNew, "Left new: %1")                                                                                          \
  X(LeftAsTheyWere, "Left as they were: %1")                                                                          \
  X(CannotRead, "Cannot read \"%1\": %2")                                                                             \
  X(PictureSuffix, "Cannot save a picture as \"%1\": name it .png, .svg or .pdf.")                                   \
  X(OddFiles, "Flights make pairs: give an even number of files, the first with the second, the third with the "    \
              "fourth and so on. No pair was added.")                                                                 \
  X(FilesGiven, "Files given: %1")                                                                                    \
  X(NoPairs, "No pairs to compare: open a list, or add files two at a time.")                                        \
  X(NothingToSave, "Nothing to save: run the campaign first.")                                                       \
  X(CampaignCancelledUnsaved, "The campaign was cancelled: its results are incomplete and are not saved.")          \
  X(CannotCreateFolder, "Cannot create the folder \"%1\": %2.")                                                      \
  X(CannotReadList, "Cannot read the campaign list \"%1\": %2.")                                                     \
  X(ListLineTooLong, "Line too long: a line of a campaign list holds at most %1 MiB.")                              \
  X(ListQuoteOpen, "Bad campaign list: a quote is not closed.")                                                      \
  X(ListHeader, "Bad campaign list: the first row must be flight1,flight2 or flight1,flight2,group.")               \
  X(ListFieldCount, "Bad campaign list: a row must have %1 fields, as the header has.")                             \
  X(ListNulByte, "Bad campaign list: a field holds a NUL byte.")                                                     \
  X(ListGroupTooLong, "Bad campaign list: a group name holds at most %1 bytes.")                                     \
  X(ListNamesNoPair, "The list names no pair.")                                                                       \
  X(ListLine, "List: %1, line %2")                                                                                    \
  X(ListNamed, "List: %1")                                                                                            \
  X(NoHeightColumn, "Flight %1 has no height column.")                                                               \
  X(NoTimeColumn, "Flight %1 has no time column.")                                                                   \
  X(ShiftNotFound, "The shift cannot be found: the two flights' heights never meet in time. Type the shift.")       \
  X(NoQuantityColumn, "Flight %1 has no column for %2.")                                                             \
  X(NoNamedColumn, "Flight %1 has no column named \"%2\".")                                                          \
  X(FlightFailed, "Flight %1: %2")                                                                                    \
  X(NoCommonHeight, "No comparison value: the flights have no height in common.")                                   \
  X(NoCommonMoment, "No comparison value: at this shift the flights have no moment in common.")                     \
  X(HeightsNotOfKind, "Heights not %1: flight 1 %2, flight 2 %3.")                                                   \
  X(PairCancelled, "Not compared: the campaign was cancelled.")                                                     \
  X(ApartDaysSites, "Not one sounding: launches %1 days apart, sites %2 km apart.")                                 \
  X(ApartHoursSites, "Not one sounding: launches %1 hours apart, sites %2 km apart.")                               \
  X(ApartMinutesSites, "Not one sounding: launches %1 minutes apart, sites %2 km apart.")                           \
  X(ApartDays, "Not one sounding: launches %1 days apart.")                                                          \
  X(ApartHours, "Not one sounding: launches %1 hours apart.")                                                        \
  X(ApartMinutes, "Not one sounding: launches %1 minutes apart.")                                                    \
  X(ApartSites, "Not one sounding: sites %1 km apart.")                                                              \
  X(SamePairAsLine, "Same pair as line %1.")                                                                          \
  X(SamePairAsPair, "Same pair as pair %1.")                                                                          \
  X(EpochNotNumber, "SOURCE_DATE_EPOCH must be a number of seconds.")                                               \
  X(EpochNamed, "SOURCE_DATE_EPOCH: %1")                                                                              \
  X(StandardOutputClosed, "Cannot write the standard output: standard output is closed.")                           \
  X(StandardOutputFailed, "Cannot write the standard output: %1")                                                  \
  X(NoItem, "No item \"%1\" in %2.")                                                                                 \
  X(CampaignOutOfMemory, "Not enough memory to finish the campaign.")                                              \
  X(MixedHeights, "heights of different kinds are pooled: %1 with geometric altitude, %2 with geopotential height "  \
                  "(--height-kind keeps one kind)")                                                                   \
  X(OneFlight, "%1 flight")                                                                                           \
  X(Flights, "%1 flights")

enum class MessageId {
  Verbatim,  // a variable part as it stands: a name, a number, the system's reason
  Lines,     // its parts, one line each: a message, then where it happened
#define FLIGHTCOMPARE_MESSAGE_ID(id, form) id,
  FLIGHTCOMPARE_MESSAGES(FLIGHTCOMPARE_MESSAGE_ID)
#undef FLIGHTCOMPARE_MESSAGE_ID
};

// A message as a tree: its id, and its variable parts, each a text as it stands or a message of
// its own (a pair's reason names its flight, then the reader's message).
class Message {
 public:
  Message() = default;  // empty: no message
  Message(MessageId id, std::vector<Message> parts = {}) : id_(id), parts_(std::move(parts)) {}
  Message(std::string text) : id_(MessageId::Verbatim), text_(std::move(text)) {}
  Message(const char* text) : Message(std::string(text)) {}

  MessageId id() const { return id_; }
  const std::vector<Message>& parts() const { return parts_; }
  const std::string& text() const { return text_; }
  // The message itself, without where it happened, nor where its parts did; a text part stays
  // whole, even one that holds a line end.
  Message firstLine() const;
  bool empty() const { return id_ == MessageId::Verbatim && text_.empty(); }
  bool operator==(const Message& other) const;
  // A message is never its English: compare english() with a text.
  bool operator==(const std::string&) const = delete;
  bool operator==(const char*) const = delete;

  // The documented English.
  std::string english() const;
  // The message told with the forms formOf gives each id (the English, or a translation),
  // each %n filled with part n in one pass.
  template <typename FormOf>
  std::string told(const FormOf& formOf) const;

 private:
  MessageId id_ = MessageId::Verbatim;
  std::vector<Message> parts_;
  std::string text_;
};

// Every id but Verbatim and Lines, in the catalogue's order.
const std::vector<MessageId>& catalogueIds();
// The English form of an id; empty for Verbatim and Lines.
const char* englishForm(MessageId id);
// The form with each %n put in by part n, once: a part that itself holds "%2" stays as it is.
std::string filledIn(std::string_view form, const std::vector<std::string>& parts);

// A message written as one text, to cross from a library's process, and read back; a text that
// is no written message is read as a text as it stands.
std::string written(const Message& message);
Message readBack(std::string_view text);

template <typename FormOf>
std::string Message::told(const FormOf& formOf) const {
  if (id_ == MessageId::Verbatim) return text_;
  std::vector<std::string> told;
  for (const Message& part : parts_) told.push_back(part.told(formOf));
  if (id_ != MessageId::Lines) return filledIn(formOf(id_), told);
  std::string lines;
  for (const std::string& line : told) lines += (lines.empty() ? "" : "\n") + line;
  return lines;
}
