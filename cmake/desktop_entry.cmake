# Run by cmake --install: writes the desktop entry with the full path of the installed program,
# which is known only now (--prefix may choose another prefix than the build's).
#   desktop_in   the entry as written, with Exec=vantoli %f (a tape to open)
#   desktop_out  where to write the installed entry
#   exec_path    the installed program
file(READ "${desktop_in}" entry)
string(REPLACE "\nExec=vantoli %f\n" "\nExec=\"${exec_path}\" %f\n" entry "${entry}")
file(WRITE "${desktop_out}" "${entry}")
