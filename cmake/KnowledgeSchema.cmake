# The fields of the two knowledge files, for edbtool's --schema: the build and the
# release's rebuild script make them the same way.
set(knowledge_answer_fields "answer1:text:200,answer2:text:200,answer3:text:200,answer4:text:200")
set(knowledge_dbs_schema "pattern:text:200,${knowledge_answer_fields}")
set(knowledge_dbv_schema "reply:text:200")
