#pragma once

#include <QString>

namespace skyloom {

// The symbolic name of an SQLite result code, or of the layer's own code 1000.
const char* SqlErrorName(int code);

// The one error of the SQL layer: an SQLite result code (or 1000 for the layer's own errors)
// and the text "NAME[code]: detail".
class CSQL3Exception {
public:
    static constexpr int kLayerError = 1000;

    CSQL3Exception(int code, const QString& detail);
    virtual ~CSQL3Exception() = default;

    int Code() const { return m_code; }
    const QString& Message() const { return m_message; }

private:
    int m_code;
    QString m_message;
};

} // namespace skyloom
