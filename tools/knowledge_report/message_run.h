#pragma once
// The message-list mode of knowledge_report: how the knowledge file answers messages that
// have no expected record, so that a person can judge a run quickly.
namespace zorli {

// messagesPath: UTF-8, one message a line (a "category<TAB>message" line counts by its last
// column). Prints one TSV line per message and a summary; returns the exit status.
int ReportMessages(const char* messagesPath, const char* databasePath);

}  // namespace zorli
