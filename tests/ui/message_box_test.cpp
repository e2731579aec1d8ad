// Message box requester tests.
