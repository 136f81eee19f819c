// The invisible holder of the syntax parsers; it is never shown.
#include "app/TParserRepository.h"

namespace quarno {

TParserRepository::TParserRepository(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("ParserRepository"));
    setWindowTitle(QStringLiteral("ParserRepository"));
}

} // namespace quarno
