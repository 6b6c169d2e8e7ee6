# zuna-aviinfo.
