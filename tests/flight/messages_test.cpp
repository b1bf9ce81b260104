#include "flight/flight_error.h"
#include "flight/messages.h"

#include <gtest/gtest.h>

// A message crosses from a library's process as a written text and comes back whole; a text that
// is no written message, or one cut short, comes back as the text it is.
TEST(Messages, AWrittenMessageReadsBackAsItWasAndAnythingElseAsText) {
  const Message nested(MessageId::FlightFailed,
                       {"2", Message(MessageId::Lines, {Message(MessageId::UnknownUnit, {"(K)", "temp"}),
                                                        Message(MessageId::FileNamed, {"a<3:b).nc"})})});
  for (const Message& message : {nested, Message(MessageId::NoTimeDimension), Message("NetCDF: HDF error"), Message()})
    EXPECT_EQ(readBack(written(message)), message) << message.english();
  const std::string whole = written(nested);
  for (const std::string& text : {whole.substr(0, whole.size() - 1), std::string("(9999)"), std::string("<5:ab"),
                                  std::string("(12<1:x)junk"), std::string("plain text")})
    EXPECT_EQ(readBack(text), Message(text)) << text;
}

// A failure's message leaves where it happened out, its own and its parts', but never cuts a
// text a file gave it, even one that holds a line end.
TEST(Messages, TheMessageWithoutWhereKeepsItsTextsWhole) {
  const FlightError unit(Message(MessageId::UnknownUnit, {"K\nx", "temp"}), inFile("a.nc"));
  EXPECT_EQ(unit.message().english(), "Unknown unit \"K\nx\" of temp: the program converts only the units it knows.");
  EXPECT_EQ(Message(MessageId::FlightFailed, {"1", unit.whole()}).firstLine(),
            Message(MessageId::FlightFailed, {"1", unit.message()}));
}
