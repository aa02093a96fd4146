# The menu entry with its Exec line naming TILEMARCH_COMMAND, as the desktop
# entry rules quote it: the path is one quoted argument (\ " ` $ escaped, % as
# %%), and that argument is then escaped again as a string value (\ as \\).
function(tilemarch_desktop_entry template output)
  set(arg "${TILEMARCH_COMMAND}")
  string(REPLACE "\\" "\\\\" arg "${arg}")
  string(REPLACE "\"" "\\\"" arg "${arg}")
  string(REPLACE "`" "\\`" arg "${arg}")
  string(REPLACE "$" "\\$" arg "${arg}")
  string(REPLACE "%" "%%" arg "${arg}")
  string(REPLACE "\\" "\\\\" arg "\"${arg}\"")
  file(READ ${template} entry)
  string(REPLACE "Exec=@EXEC@" "Exec=${arg}" entry "${entry}")
  file(WRITE ${output} "${entry}")
endfunction()
