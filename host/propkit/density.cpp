// placeholder: replaced by the implementation
