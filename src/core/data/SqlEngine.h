#pragma once

// The two database engines the data store runs on: the embedded default and a shared server.
enum class SqlEngine {
    SQLite,
    PostgreSQL,
};
