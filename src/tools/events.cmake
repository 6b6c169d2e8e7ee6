# zuna-events.
