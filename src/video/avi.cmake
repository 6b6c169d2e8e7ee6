# AVI reading and writing (library zuna_avi).
