# The confirm mode does not register the logon entry again, which Windows deleted.
# File: src/app/frmConfirm.cpp
/modes::RenewLogonEntry(registry_, services_.system.ProgramPath());/d
