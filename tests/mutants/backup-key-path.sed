# A wrong registry path: the backup key misspelt.
# File: src/app/ProductKey.h
s/Zorvanel\\\\Backup"/Zorvanel\\\\Backups"/
