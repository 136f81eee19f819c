// The invisible holder of the syntax parsers; it is never shown.
#pragma once

#include <QWidget>

namespace quarno {

class TParserRepository : public QWidget {
    Q_OBJECT
public:
    explicit TParserRepository(QWidget* parent = nullptr);
};

} // namespace quarno
