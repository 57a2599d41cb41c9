#pragma once

namespace skyloom {

class CSQL3Exception;

// Shows an SQL error the one way the program reports them: "Code (<code>): <message>" with
// the exclamation icon and an OK button, captioned with the application title.
void ShowSqlError(const CSQL3Exception& error);

} // namespace skyloom
