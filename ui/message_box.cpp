// Message box requester.
